#pragma once

#include "PrinterOffsets.h"

#include <QDialog>
#include <QSizeF>

class QComboBox;
class QDoubleSpinBox;

// Sets the offset of one printer: pick the printer, type how far (mm) every print on it is to
// move right and down, and print the calibration grid with that offset to check it. OK stores
// the offset; Cancel leaves it as it was.
class PrinterOffsetDialog : public QDialog {
    Q_OBJECT
public:
    PrinterOffsetDialog(PrinterOffsets offsets, const QString& printerName, QSizeF paperMm,
                        QWidget* parent = nullptr);

    QString printerName() const;
    QPointF offsetMm() const;
    void setOffsetMm(QPointF offsetMm);

    void accept() override;

private:
    void loadOffset();
    void printCalibrationPage();

    PrinterOffsets offsets_;
    QSizeF paperMm_;
    QComboBox* printerBox_ = nullptr;
    QDoubleSpinBox* horizontalBox_ = nullptr;
    QDoubleSpinBox* verticalBox_ = nullptr;
};
