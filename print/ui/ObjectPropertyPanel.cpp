#include "ObjectPropertyPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

int fieldValue(const ReportObject& o, LayoutEditModel::Field field) {
    switch (field) {
    case LayoutEditModel::Field::Left:
        return o.left;
    case LayoutEditModel::Field::Top:
        return o.top;
    case LayoutEditModel::Field::Width:
        return o.width;
    case LayoutEditModel::Field::Height:
        return o.height;
    }
    return 0;
}

} // namespace

ObjectPropertyPanel::ObjectPropertyPanel(LayoutEditModel* model, QWidget* parent)
    : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("propertyPanel"));
    build();
    connect(model_, &LayoutEditModel::selectionChanged, this, &ObjectPropertyPanel::refresh);
    connect(model_, &LayoutEditModel::changed, this, &ObjectPropertyPanel::refresh);
    refresh();
}

void ObjectPropertyPanel::change(const QString& description,
                                 const std::function<void(ReportObject&)>& apply) {
    model_->changeSelection(description, apply);
}

QDoubleSpinBox* ObjectPropertyPanel::lengthBox(const QString& name, LayoutEditModel::Field field) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setRange(-2000, 2000);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    connect(box, &QDoubleSpinBox::valueChanged, this,
            [this, field](double mm) { model_->setSelectionField(field, qRound(mm * 10)); });
    lengths_.append({field, box});
    return box;
}

QCheckBox* ObjectPropertyPanel::flagBox(const QString& name, const QString& text,
                                        const QString& description,
                                        const std::function<void(ReportObject&, bool)>& apply) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(name);
    connect(box, &QCheckBox::clicked, this, [this, description, apply](bool on) {
        change(description, [&](ReportObject& o) { apply(o, on); });
    });
    return box;
}

void ObjectPropertyPanel::build() {
    using Field = LayoutEditModel::Field;
    auto* form = new QFormLayout(this);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nameEdit"));
    connect(name_, &QLineEdit::editingFinished, this, [this] {
        if (model_->selection().size() == 1)
            change(QStringLiteral("改名"),
                   [&](ReportObject& o) { o.name = name_->text().trimmed(); });
    });
    form->addRow(QStringLiteral("名称："), name_);
    form->addRow(QStringLiteral("左："), lengthBox(QStringLiteral("leftBox"), Field::Left));
    form->addRow(QStringLiteral("上："), lengthBox(QStringLiteral("topBox"), Field::Top));
    form->addRow(QStringLiteral("宽："), lengthBox(QStringLiteral("widthBox"), Field::Width));
    form->addRow(QStringLiteral("高："), lengthBox(QStringLiteral("heightBox"), Field::Height));

    font_ = new QFontComboBox(this);
    font_->setObjectName(QStringLiteral("fontBox"));
    font_->setEditable(true);
    connect(font_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        change(QStringLiteral("字体"), [&](ReportObject& o) { o.fontFamily = font.family(); });
    });
    form->addRow(QStringLiteral("字体："), font_);
    fontSize_ = new QDoubleSpinBox(this);
    fontSize_->setObjectName(QStringLiteral("fontSizeBox"));
    fontSize_->setRange(1, 200);
    fontSize_->setDecimals(2);
    fontSize_->setSingleStep(0.5);
    fontSize_->setKeyboardTracking(false);
    connect(fontSize_, &QDoubleSpinBox::valueChanged, this, [this](double size) {
        change(QStringLiteral("字号"), [&](ReportObject& o) { o.fontSizePt = size; });
    });
    form->addRow(QStringLiteral("字号："), fontSize_);

    bold_ = flagBox(QStringLiteral("boldBox"), QStringLiteral("粗体"), QStringLiteral("粗体"),
                    [](ReportObject& o, bool on) { o.bold = on; });
    italic_ = flagBox(QStringLiteral("italicBox"), QStringLiteral("斜体"), QStringLiteral("斜体"),
                      [](ReportObject& o, bool on) { o.italic = on; });
    underline_ =
        flagBox(QStringLiteral("underlineBox"), QStringLiteral("下划线"), QStringLiteral("下划线"),
                [](ReportObject& o, bool on) { o.underline = on; });
    auto* styles = new QHBoxLayout;
    styles->addWidget(bold_);
    styles->addWidget(italic_);
    styles->addWidget(underline_);
    form->addRow(QString(), styles);

    hAlign_ = new QComboBox(this);
    hAlign_->setObjectName(QStringLiteral("hAlignBox"));
    hAlign_->addItems({QStringLiteral("左对齐"), QStringLiteral("居中"), QStringLiteral("右对齐"),
                       QStringLiteral("两端对齐")});
    connect(hAlign_, &QComboBox::activated, this, [this](int index) {
        change(QStringLiteral("水平对齐"),
               [&](ReportObject& o) { o.hAlign = ReportObject::HAlign(index); });
    });
    form->addRow(QStringLiteral("水平："), hAlign_);
    vAlign_ = new QComboBox(this);
    vAlign_->setObjectName(QStringLiteral("vAlignBox"));
    vAlign_->addItems({QStringLiteral("顶端"), QStringLiteral("居中"), QStringLiteral("底端")});
    connect(vAlign_, &QComboBox::activated, this, [this](int index) {
        change(QStringLiteral("垂直对齐"),
               [&](ReportObject& o) { o.vAlign = ReportObject::VAlign(index); });
    });
    form->addRow(QStringLiteral("垂直："), vAlign_);

    auto* frame = new QGridLayout;
    const std::pair<int, QString> sides[] = {{ReportObject::FrameLeft, QStringLiteral("左")},
                                             {ReportObject::FrameTop, QStringLiteral("上")},
                                             {ReportObject::FrameRight, QStringLiteral("右")},
                                             {ReportObject::FrameBottom, QStringLiteral("下")}};
    for (const auto& [side, caption] : sides) {
        QCheckBox* box = flagBox(QStringLiteral("frame%1Box").arg(side), caption,
                                 QStringLiteral("边框"), [side](ReportObject& o, bool on) {
                                     o.frameSides =
                                         on ? (o.frameSides | side) : (o.frameSides & ~side);
                                 });
        frame->addWidget(box, 0, int(frames_.size()));
        frames_.append({side, box});
    }
    form->addRow(QStringLiteral("边框："), frame);

    visible_ = flagBox(QStringLiteral("visibleBox"), QStringLiteral("可见"), QStringLiteral("可见"),
                       [](ReportObject& o, bool on) { o.visible = on; });
    printable_ =
        flagBox(QStringLiteral("printableBox"), QStringLiteral("打印"), QStringLiteral("打印"),
                [](ReportObject& o, bool on) { o.printable = on; });
    auto* flags = new QHBoxLayout;
    flags->addWidget(visible_);
    flags->addWidget(printable_);
    form->addRow(QString(), flags);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("textEdit"));
    text_->setTabChangesFocus(true);
    text_->installEventFilter(this);
    form->addRow(QStringLiteral("文本："), text_);
}

bool ObjectPropertyPanel::eventFilter(QObject* watched, QEvent* event) {
    // The text is one edit when the user leaves the box, not one per keystroke.
    if (watched == text_ && event->type() == QEvent::FocusOut)
        commitText();
    return QWidget::eventFilter(watched, event);
}

void ObjectPropertyPanel::commitText() {
    if (!isEnabled() || !text_->document()->isModified())
        return;
    text_->document()->setModified(false);
    const QStringList lines = text_->toPlainText().split(u'\n');
    change(QStringLiteral("文本"), [&](ReportObject& o) { o.lines = lines; });
}

void ObjectPropertyPanel::refresh() {
    const bool any = !model_->selection().isEmpty();
    setEnabled(any);
    if (!any)
        return;
    const ReportObject& o = model_->object(model_->selection().first());
    const QList<QWidget*> editors = findChildren<QWidget*>();
    for (QWidget* editor : editors)
        editor->blockSignals(true);
    name_->setText(o.name);
    name_->setEnabled(model_->selection().size() == 1);
    for (const auto& [field, box] : lengths_)
        box->setValue(fieldValue(o, field) / 10.0);
    font_->setCurrentFont(QFont(o.fontFamily));
    // The family the layout names (宋体), not the installed one standing in for it.
    font_->setEditText(o.fontFamily);
    fontSize_->setValue(o.fontSizePt);
    bold_->setChecked(o.bold);
    italic_->setChecked(o.italic);
    underline_->setChecked(o.underline);
    hAlign_->setCurrentIndex(int(o.hAlign));
    vAlign_->setCurrentIndex(int(o.vAlign));
    for (const auto& [side, box] : frames_)
        box->setChecked(o.frameSides & side);
    visible_->setChecked(o.visible);
    printable_->setChecked(o.printable);
    if (!text_->hasFocus() || !text_->document()->isModified()) {
        text_->setPlainText(o.text());
        text_->document()->setModified(false);
    }
    for (QWidget* editor : editors)
        editor->blockSignals(false);
}
