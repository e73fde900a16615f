#pragma once

#include "LayoutEditModel.h"

#include <QDialog>
#include <QMessageBox>
#include <functional>

class DesignerCanvas;
class DesignerRuler;
class ObjectPropertyPanel;
class QComboBox;
class QScrollArea;

// The layout designer (modal): the page on a canvas with millimetre rulers and a snap grid, a
// property panel, tools to add, delete, align and size objects, zoom, and undo/redo of every
// change. Save writes the layout back to the file it was loaded from; closing with unsaved
// changes asks whether to save them first.
class LayoutDesigner : public QDialog {
    Q_OBJECT
public:
    // Answers the save question on closing: Yes, No or Cancel.
    using SaveQuestion = std::function<QMessageBox::StandardButton(QWidget* parent)>;

    explicit LayoutDesigner(ReportLayout& layout, QWidget* parent = nullptr);

    LayoutEditModel* model() { return &model_; }
    DesignerCanvas* canvas() { return canvas_; }
    void setSaveQuestion(SaveQuestion question) { askSave_ = std::move(question); }

    // Saves; a failure is shown and leaves the designer open. True when the file was written.
    bool save();
    void reject() override;

private:
    void buildToolBar();
    void addObjectOfKind(ReportObject::Kind kind);
    void addPicture();
    void setZoom(double zoom);
    void followScroll();
    void updateTitle();
    bool readyToClose();

    LayoutEditModel model_;
    DesignerCanvas* canvas_ = nullptr;
    ObjectPropertyPanel* panel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    DesignerRuler* horizontalRuler_ = nullptr;
    DesignerRuler* verticalRuler_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    SaveQuestion askSave_;
};
