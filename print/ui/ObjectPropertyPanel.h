#pragma once

#include "LayoutEditModel.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QPlainTextEdit;

// The designer's property panel: shows the first selected object and applies every change to
// all selected objects, each change one undo step. Lengths are typed in millimetres.
class ObjectPropertyPanel : public QWidget {
    Q_OBJECT
public:
    explicit ObjectPropertyPanel(LayoutEditModel* model, QWidget* parent = nullptr);

    void refresh();
    // The text typed so far becomes one edit (also done when the text box loses focus).
    void commitText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    QDoubleSpinBox* lengthBox(const QString& name, LayoutEditModel::Field field);
    QCheckBox* flagBox(const QString& name, const QString& text, const QString& description,
                       const std::function<void(ReportObject&, bool)>& apply);
    void change(const QString& description, const std::function<void(ReportObject&)>& apply);

    LayoutEditModel* model_;
    QLineEdit* name_ = nullptr;
    QList<std::pair<LayoutEditModel::Field, QDoubleSpinBox*>> lengths_;
    QFontComboBox* font_ = nullptr;
    QDoubleSpinBox* fontSize_ = nullptr;
    QCheckBox* bold_ = nullptr;
    QCheckBox* italic_ = nullptr;
    QCheckBox* underline_ = nullptr;
    QComboBox* hAlign_ = nullptr;
    QComboBox* vAlign_ = nullptr;
    QList<std::pair<int, QCheckBox*>> frames_;
    QCheckBox* visible_ = nullptr;
    QCheckBox* printable_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};
