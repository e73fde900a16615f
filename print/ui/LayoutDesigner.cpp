#include "LayoutDesigner.h"
#include "NamedAction.h"

#include "DbError.h"
#include "DesignerCanvas.h"
#include "DesignerRuler.h"
#include "ObjectPropertyPanel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QList<double> ZoomSteps = {0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0};

ReportObject newObject(ReportObject::Kind kind) {
    ReportObject o;
    o.kind = kind;
    o.left = 100;
    o.top = 100;
    switch (kind) {
    case ReportObject::Kind::Text:
        o.name = QStringLiteral("Memo");
        o.width = 300;
        o.height = 50;
        o.lines = {QStringLiteral("文本")};
        break;
    case ReportObject::Kind::Line:
        o.name = QStringLiteral("Line");
        o.width = 500;
        o.height = 0;
        break;
    case ReportObject::Kind::Rectangle:
        o.name = QStringLiteral("Shape");
        o.width = 400;
        o.height = 200;
        break;
    case ReportObject::Kind::Picture:
        o.name = QStringLiteral("Picture");
        o.width = 300;
        o.height = 300;
        o.keepAspect = true;
        break;
    }
    return o;
}

} // namespace

LayoutDesigner::LayoutDesigner(ReportLayout& layout, QWidget* parent)
    : QDialog(parent), model_(layout) {
    setObjectName(QStringLiteral("LayoutDesigner"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1200, 800);
    askSave_ = [](QWidget* owner) {
        return QMessageBox::question(owner, QStringLiteral("信息"),
                                     QStringLiteral("版式已修改，是否保存？"),
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };

    canvas_ = new DesignerCanvas(&model_);
    scroll_ = new QScrollArea;
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidget(canvas_);
    horizontalRuler_ = new DesignerRuler(Qt::Horizontal);
    verticalRuler_ = new DesignerRuler(Qt::Vertical);
    auto* pageArea = new QWidget;
    auto* grid = new QGridLayout(pageArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(horizontalRuler_, 0, 1);
    grid->addWidget(verticalRuler_, 1, 0);
    grid->addWidget(scroll_, 1, 1);

    panel_ = new ObjectPropertyPanel(&model_);
    auto* splitter = new QSplitter;
    splitter->addWidget(pageArea);
    splitter->addWidget(panel_);
    splitter->setStretchFactor(0, 1);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(0, 0, 0, 0);
    buildToolBar();
    layoutBox->addWidget(splitter, 1);

    connect(canvas_, &DesignerCanvas::viewChanged, this, &LayoutDesigner::followScroll);
    connect(scroll_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &LayoutDesigner::followScroll);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &LayoutDesigner::followScroll);
    connect(model_.undoStack(), &QUndoStack::cleanChanged, this, &LayoutDesigner::updateTitle);
    updateTitle();
    setZoom(1.0);
    canvas_->setFocus();
}

void LayoutDesigner::buildToolBar() {
    auto* bar = new QToolBar(this);
    layout()->addWidget(bar);
    connect(
        addNamed(bar, QStringLiteral("saveAction"), QStringLiteral("保存(&S)"), QKeySequence::Save),
        &QAction::triggered, this, &LayoutDesigner::save);
    QAction* undo = model_.undoStack()->createUndoAction(this, QStringLiteral("撤销"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence::Undo);
    bar->addAction(undo);
    QAction* redo = model_.undoStack()->createRedoAction(this, QStringLiteral("重做"));
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcut(QKeySequence::Redo);
    bar->addAction(redo);
    bar->addSeparator();

    connect(addNamed(bar, QStringLiteral("addTextAction"), QStringLiteral("文本")),
            &QAction::triggered, this, [this] { addObjectOfKind(ReportObject::Kind::Text); });
    connect(addNamed(bar, QStringLiteral("addLineAction"), QStringLiteral("直线")),
            &QAction::triggered, this, [this] { addObjectOfKind(ReportObject::Kind::Line); });
    connect(addNamed(bar, QStringLiteral("addRectangleAction"), QStringLiteral("矩形")),
            &QAction::triggered, this, [this] { addObjectOfKind(ReportObject::Kind::Rectangle); });
    connect(addNamed(bar, QStringLiteral("addPictureAction"), QStringLiteral("图片...")),
            &QAction::triggered, this, &LayoutDesigner::addPicture);
    connect(addNamed(bar, QStringLiteral("deleteAction"), QStringLiteral("删除")),
            &QAction::triggered, &model_, &LayoutEditModel::deleteSelection);
    bar->addSeparator();

    using Edge = LayoutEditModel::Edge;
    const std::pair<const char*, std::pair<QString, Edge>> aligns[] = {
        {"alignLeftAction", {QStringLiteral("左对齐"), Edge::Left}},
        {"alignRightAction", {QStringLiteral("右对齐"), Edge::Right}},
        {"alignTopAction", {QStringLiteral("顶对齐"), Edge::Top}},
        {"alignBottomAction", {QStringLiteral("底对齐"), Edge::Bottom}}};
    for (const auto& [name, captionAndEdge] : aligns) {
        const Edge edge = captionAndEdge.second;
        connect(addNamed(bar, QString::fromLatin1(name), captionAndEdge.first), &QAction::triggered,
                this, [this, edge] { model_.alignSelection(edge); });
    }
    connect(addNamed(bar, QStringLiteral("sameWidthAction"), QStringLiteral("同宽")),
            &QAction::triggered, this,
            [this] { model_.sizeSelectionAlike(LayoutEditModel::Dimension::Width); });
    connect(addNamed(bar, QStringLiteral("sameHeightAction"), QStringLiteral("同高")),
            &QAction::triggered, this,
            [this] { model_.sizeSelectionAlike(LayoutEditModel::Dimension::Height); });
    bar->addSeparator();

    if (model_.layout().pages.size() > 1) {
        auto* pageBox = new QComboBox(bar);
        pageBox->setObjectName(QStringLiteral("pageBox"));
        for (const ReportPage& page : model_.layout().pages)
            pageBox->addItem(page.name);
        bar->addWidget(pageBox);
        connect(pageBox, &QComboBox::activated, &model_, &LayoutEditModel::setPageIndex);
        connect(&model_, &LayoutEditModel::changed, pageBox,
                [this, pageBox] { pageBox->setCurrentIndex(model_.pageIndex()); });
    }
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    for (double step : ZoomSteps)
        zoomBox_->addItem(QStringLiteral("%1%").arg(qRound(step * 100)), step);
    bar->addWidget(zoomBox_);
    connect(zoomBox_, &QComboBox::activated, this,
            [this](int index) { setZoom(zoomBox_->itemData(index).toDouble()); });
    QAction* snap = addNamed(bar, QStringLiteral("snapAction"), QStringLiteral("对齐网格"));
    snap->setCheckable(true);
    snap->setChecked(canvas_->snapsToGrid());
    connect(snap, &QAction::toggled, canvas_, &DesignerCanvas::setSnapToGrid);
    auto* gridBox = new QComboBox(bar);
    gridBox->setObjectName(QStringLiteral("gridBox"));
    for (int tenths : {1, 5, 10, 20, 50})
        gridBox->addItem(QStringLiteral("网格 %1 mm").arg(tenths / 10.0), tenths);
    gridBox->setCurrentIndex(gridBox->findData(canvas_->gridStep()));
    connect(gridBox, &QComboBox::activated, this,
            [this, gridBox](int index) { canvas_->setGridStep(gridBox->itemData(index).toInt()); });
    bar->addWidget(gridBox);
    bar->addSeparator();
    connect(addNamed(bar, QStringLiteral("closeAction"), QStringLiteral("关闭(&C)")),
            &QAction::triggered, this, &LayoutDesigner::reject);
}

void LayoutDesigner::setZoom(double zoom) {
    canvas_->setZoom(zoom);
    zoomBox_->setCurrentIndex(std::max(0, zoomBox_->findData(zoom)));
    horizontalRuler_->setScale(canvas_->pixelsPerMm());
    verticalRuler_->setScale(canvas_->pixelsPerMm());
    followScroll();
}

void LayoutDesigner::followScroll() {
    // The canvas moves inside the viewport as it scrolls; the rulers start at the viewport.
    const int rulerInset = scroll_->frameWidth();
    horizontalRuler_->setScale(canvas_->pixelsPerMm());
    verticalRuler_->setScale(canvas_->pixelsPerMm());
    horizontalRuler_->setOrigin(rulerInset + canvas_->x() + canvas_->paperOrigin().x());
    verticalRuler_->setOrigin(rulerInset + canvas_->y() + canvas_->paperOrigin().y());
}

void LayoutDesigner::addObjectOfKind(ReportObject::Kind kind) {
    model_.addObject(newObject(kind));
    canvas_->setFocus();
}

void LayoutDesigner::addPicture() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("选择图片"), QString(),
                                     QStringLiteral("图片 (%1)").arg(patterns.join(u' ')));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("无法打开图片文件“%1”：%2")
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    ReportObject picture = newObject(ReportObject::Kind::Picture);
    picture.imageData = file.readAll();
    model_.addObject(picture);
}

void LayoutDesigner::updateTitle() {
    const QString file = QFileInfo(model_.layout().fileName).fileName();
    setWindowTitle(QStringLiteral("版式设计 - %1%2")
                       .arg(file, model_.isModified() ? QStringLiteral(" *") : QString()));
}

bool LayoutDesigner::save() {
    panel_->commitText();
    try {
        model_.save();
        return true;
    } catch (const DbError& error) {
        QMessageBox::warning(this, QStringLiteral("信息"), error.message());
        return false;
    }
}

bool LayoutDesigner::readyToClose() {
    panel_->commitText();
    if (!model_.isModified())
        return true;
    switch (askSave_(this)) {
    case QMessageBox::Yes:
        return save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void LayoutDesigner::reject() {
    if (readyToClose())
        QDialog::reject();
}
