#pragma once

#include "ReportLayout.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QUndoStack>
#include <functional>

// The editing operations of the layout designer on a ReportLayout, without any widget: the
// selection, and every change as one command on the undo stack. Geometry is in tenths of a
// millimetre from the page's margin corner, as ReportObject keeps it; a rectangle's width or
// height is negative only for lines (which run from the start corner to the end corner).
class LayoutEditModel : public QObject {
    Q_OBJECT
public:
    enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
    enum class Edge { Left, Right, Top, Bottom };
    enum class Dimension { Width, Height };
    enum class Field { Left, Top, Width, Height };

    explicit LayoutEditModel(ReportLayout& layout, QObject* parent = nullptr);

    ReportLayout& layout() { return layout_; }
    int pageIndex() const { return page_; }
    void setPageIndex(int index);
    const ReportPage& page() const { return layout_.pages.at(page_); }
    const ReportObject& object(int index) const { return page().objects.at(index); }
    int objectCount() const { return int(page().objects.size()); }
    QUndoStack* undoStack() { return &undo_; }

    // The selected objects in the order they were picked; the first is the reference for
    // aligning and sizing.
    const QList<int>& selection() const { return selection_; }
    void selectOnly(int index);
    void toggleSelected(int index);
    void setSelection(const QList<int>& indices);
    void clearSelection() { setSelection({}); }
    // Every object whose box touches `area`; added to the selection or replacing it.
    void selectTouching(const QRect& area, bool add);
    // The topmost object whose box (grown by `slack` for thin lines) contains the point, or -1.
    int objectAt(QPoint point, int slack = 0) const;

    // Edits of the selection: each is one undo step; nothing happens with nothing selected or
    // nothing changed.
    void moveSelection(int dx, int dy);
    void setGeometry(int index, const QRect& geometry);
    void setSelectionField(Field field, int value);
    void changeSelection(const QString& description,
                         const std::function<void(ReportObject&)>& change);
    void alignSelection(Edge edge);
    void sizeSelectionAlike(Dimension dimension);
    void deleteSelection();
    // Adds the object on top of the page (named uniquely when its name is taken or empty) and
    // selects it. Returns its index.
    int addObject(ReportObject object);

    bool isModified() const { return !undo_.isClean(); }
    // Writes the layout back to the file it was loaded from. Throws DbError.
    void save();

    // Rules, kept pure for the designer and its tests.
    static QRect geometryOf(const ReportObject& object);
    // The same box with a negative width or height turned around.
    static QRect normalized(const QRect& box);
    // The box an object covers, with a line's negative extent turned around.
    static QRect boundsOf(const ReportObject& object);
    static QRect resized(const QRect& geometry, Handle handle, QPoint delta, bool isLine);
    static int snapped(int value, int grid);
    QString uniqueName(const QString& prefix) const;

signals:
    // Objects of the current page changed (an edit, undo or redo); the page was switched.
    void changed();
    void selectionChanged();

private:
    friend class ChangeObjectsCommand;
    friend class InsertObjectsCommand;
    friend class RemoveObjectsCommand;

    // Raw changes for the undo commands.
    void putObjects(int page, const QList<int>& indices, const QList<ReportObject>& objects);
    void insertObjects(int page, const QList<int>& indices, const QList<ReportObject>& objects);
    void removeObjects(int page, const QList<int>& indices);
    void showPage(int page);

    void pushChange(const QString& description, const QList<ReportObject>& after);
    QList<ReportObject> selectedObjects() const;

    ReportLayout& layout_;
    int page_ = 0;
    QList<int> selection_;
    QUndoStack undo_;
};
