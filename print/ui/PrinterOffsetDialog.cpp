#include "PrinterOffsetDialog.h"

#include "CalibrationPage.h"
#include "PrinterOutput.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* millimetreBox(QWidget* parent, const QString& name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-50, 50);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" 毫米"));
    return box;
}

} // namespace

PrinterOffsetDialog::PrinterOffsetDialog(PrinterOffsets offsets, const QString& printerName,
                                         QSizeF paperMm, QWidget* parent)
    : QDialog(parent), offsets_(offsets), paperMm_(paperMm) {
    setObjectName(QStringLiteral("PrinterOffsetDialog"));
    setWindowTitle(QStringLiteral("打印偏移"));

    printerBox_ = new QComboBox(this);
    printerBox_->setObjectName(QStringLiteral("printerBox"));
    printerBox_->setEditable(true);
    printerBox_->addItems(QPrinterInfo::availablePrinterNames());
    if (!printerName.isEmpty() && printerBox_->findText(printerName) < 0)
        printerBox_->addItem(printerName);
    printerBox_->setCurrentText(printerName.isEmpty() ? QPrinterInfo::defaultPrinterName()
                                                      : printerName);
    horizontalBox_ = millimetreBox(this, QStringLiteral("horizontalBox"));
    verticalBox_ = millimetreBox(this, QStringLiteral("verticalBox"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("打印机："), printerBox_);
    form->addRow(QStringLiteral("向右移动："), horizontalBox_);
    form->addRow(QStringLiteral("向下移动："), verticalBox_);

    auto* hint =
        new QLabel(QStringLiteral("该打印机上的每次打印都按此偏移移动（负数向左、向上）。\n"
                                  "打印校准页，量出其网格与发票纸上位置的差，再填入上面。"),
                   this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* calibrate =
        buttons->addButton(QStringLiteral("打印校准页(&T)"), QDialogButtonBox::ActionRole);
    calibrate->setObjectName(QStringLiteral("calibrateButton"));
    connect(calibrate, &QPushButton::clicked, this, &PrinterOffsetDialog::printCalibrationPage);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(printerBox_, &QComboBox::currentTextChanged, this, &PrinterOffsetDialog::loadOffset);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    loadOffset();
}

QString PrinterOffsetDialog::printerName() const {
    return printerBox_->currentText().trimmed();
}

QPointF PrinterOffsetDialog::offsetMm() const {
    return QPointF(horizontalBox_->value(), verticalBox_->value());
}

void PrinterOffsetDialog::setOffsetMm(QPointF offsetMm) {
    horizontalBox_->setValue(offsetMm.x());
    verticalBox_->setValue(offsetMm.y());
}

void PrinterOffsetDialog::loadOffset() {
    setOffsetMm(offsets_.offsetFor(printerName()));
}

void PrinterOffsetDialog::accept() {
    offsets_.setOffset(printerName(), offsetMm());
    QDialog::accept();
}

void PrinterOffsetDialog::printCalibrationPage() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName());
    PrinterOutput::print({CalibrationPage::make(paperMm_)}, printer, offsetMm());
}
