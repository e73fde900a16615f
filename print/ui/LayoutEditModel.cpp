#include "LayoutEditModel.h"

#include "ChangeObjectsCommand.h"
#include "DbError.h"
#include "InsertObjectsCommand.h"
#include "RemoveObjectsCommand.h"

#include <algorithm>

LayoutEditModel::LayoutEditModel(ReportLayout& layout, QObject* parent)
    : QObject(parent), layout_(layout) {
    if (layout_.pages.isEmpty())
        layout_.pages.append(ReportPage());
}

void LayoutEditModel::setPageIndex(int index) {
    if (index < 0 || index >= layout_.pages.size() || index == page_)
        return;
    showPage(index);
}

void LayoutEditModel::showPage(int page) {
    if (page == page_)
        return;
    page_ = page;
    selection_.clear();
    emit changed();
    emit selectionChanged();
}

// Selection

void LayoutEditModel::selectOnly(int index) {
    setSelection({index});
}

void LayoutEditModel::toggleSelected(int index) {
    QList<int> indices = selection_;
    if (!indices.removeOne(index))
        indices.append(index);
    setSelection(indices);
}

void LayoutEditModel::setSelection(const QList<int>& indices) {
    QList<int> valid;
    for (int i : indices)
        if (i >= 0 && i < objectCount() && !valid.contains(i))
            valid.append(i);
    if (valid == selection_)
        return;
    selection_ = valid;
    emit selectionChanged();
}

void LayoutEditModel::selectTouching(const QRect& area, bool add) {
    QList<int> indices = add ? selection_ : QList<int>();
    const QRect band = normalized(area);
    for (int i = 0; i < objectCount(); ++i) {
        const QRect box = boundsOf(object(i));
        const bool touches =
            box.left() <= band.left() + band.width() && band.left() <= box.left() + box.width() &&
            box.top() <= band.top() + band.height() && band.top() <= box.top() + box.height();
        if (touches && !indices.contains(i))
            indices.append(i);
    }
    setSelection(indices);
}

int LayoutEditModel::objectAt(QPoint point, int slack) const {
    for (int i = objectCount() - 1; i >= 0; --i) {
        const QRect box = boundsOf(object(i));
        if (point.x() >= box.x() - slack && point.x() <= box.x() + box.width() + slack &&
            point.y() >= box.y() - slack && point.y() <= box.y() + box.height() + slack)
            return i;
    }
    return -1;
}

// Edits

QList<ReportObject> LayoutEditModel::selectedObjects() const {
    QList<ReportObject> objects;
    for (int i : selection_)
        objects.append(object(i));
    return objects;
}

void LayoutEditModel::pushChange(const QString& description, const QList<ReportObject>& after) {
    const QList<ReportObject> before = selectedObjects();
    if (after == before)
        return;
    undo_.push(new ChangeObjectsCommand(this, page_, selection_, before, after, description));
}

void LayoutEditModel::moveSelection(int dx, int dy) {
    QList<ReportObject> after = selectedObjects();
    for (ReportObject& o : after) {
        o.left += dx;
        o.top += dy;
    }
    pushChange(QStringLiteral("移动"), after);
}

void LayoutEditModel::setGeometry(int index, const QRect& geometry) {
    setSelection({index});
    QList<ReportObject> after = selectedObjects();
    if (after.isEmpty())
        return;
    ReportObject& o = after.first();
    o.left = geometry.x();
    o.top = geometry.y();
    o.width = geometry.width();
    o.height = geometry.height();
    pushChange(QStringLiteral("改变大小"), after);
}

void LayoutEditModel::setSelectionField(Field field, int value) {
    QList<ReportObject> after = selectedObjects();
    for (ReportObject& o : after) {
        switch (field) {
        case Field::Left:
            o.left = value;
            break;
        case Field::Top:
            o.top = value;
            break;
        case Field::Width:
            o.width = value;
            break;
        case Field::Height:
            o.height = value;
            break;
        }
    }
    pushChange(QStringLiteral("位置和大小"), after);
}

void LayoutEditModel::changeSelection(const QString& description,
                                      const std::function<void(ReportObject&)>& change) {
    QList<ReportObject> after = selectedObjects();
    for (ReportObject& o : after)
        change(o);
    pushChange(description, after);
}

void LayoutEditModel::alignSelection(Edge edge) {
    if (selection_.size() < 2)
        return;
    const QRect reference = boundsOf(object(selection_.first()));
    QList<ReportObject> after = selectedObjects();
    for (ReportObject& o : after) {
        const QRect box = boundsOf(o);
        switch (edge) {
        case Edge::Left:
            o.left += reference.x() - box.x();
            break;
        case Edge::Right:
            o.left += (reference.x() + reference.width()) - (box.x() + box.width());
            break;
        case Edge::Top:
            o.top += reference.y() - box.y();
            break;
        case Edge::Bottom:
            o.top += (reference.y() + reference.height()) - (box.y() + box.height());
            break;
        }
    }
    pushChange(QStringLiteral("对齐"), after);
}

void LayoutEditModel::sizeSelectionAlike(Dimension dimension) {
    if (selection_.size() < 2)
        return;
    const ReportObject& reference = object(selection_.first());
    QList<ReportObject> after = selectedObjects();
    for (ReportObject& o : after) {
        if (dimension == Dimension::Width)
            o.width = reference.width;
        else
            o.height = reference.height;
    }
    pushChange(dimension == Dimension::Width ? QStringLiteral("同宽") : QStringLiteral("同高"),
               after);
}

void LayoutEditModel::deleteSelection() {
    if (selection_.isEmpty())
        return;
    QList<int> indices = selection_;
    std::sort(indices.begin(), indices.end());
    QList<ReportObject> objects;
    for (int i : indices)
        objects.append(object(i));
    undo_.push(new RemoveObjectsCommand(this, page_, indices, objects, QStringLiteral("删除")));
}

int LayoutEditModel::addObject(ReportObject object) {
    if (object.name.isEmpty() || layout_.FindObject(object.name))
        object.name = uniqueName(object.name.isEmpty() ? QStringLiteral("Object") : object.name);
    const int index = objectCount();
    undo_.push(
        new InsertObjectsCommand(this, page_, {index}, {object}, QStringLiteral("添加对象")));
    return index;
}

QString LayoutEditModel::uniqueName(const QString& prefix) const {
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (!layout_.FindObject(name))
            return name;
    }
}

void LayoutEditModel::save() {
    layout_.SaveToFile(layout_.fileName);
    undo_.setClean();
}

// Raw changes

void LayoutEditModel::putObjects(int page, const QList<int>& indices,
                                 const QList<ReportObject>& objects) {
    showPage(page);
    QList<ReportObject>& list = layout_.pages[page].objects;
    for (int i = 0; i < indices.size(); ++i)
        list[indices.at(i)] = objects.at(i);
    emit changed();
    setSelection(indices);
}

void LayoutEditModel::insertObjects(int page, const QList<int>& indices,
                                    const QList<ReportObject>& objects) {
    showPage(page);
    QList<ReportObject>& list = layout_.pages[page].objects;
    for (int i = 0; i < indices.size(); ++i)
        list.insert(indices.at(i), objects.at(i));
    selection_.clear();
    emit changed();
    setSelection(indices);
}

void LayoutEditModel::removeObjects(int page, const QList<int>& indices) {
    showPage(page);
    QList<ReportObject>& list = layout_.pages[page].objects;
    for (auto it = indices.rbegin(); it != indices.rend(); ++it)
        list.removeAt(*it);
    selection_.clear();
    emit changed();
    emit selectionChanged();
}

// Rules

QRect LayoutEditModel::geometryOf(const ReportObject& object) {
    return QRect(object.left, object.top, object.width, object.height);
}

QRect LayoutEditModel::normalized(const QRect& box) {
    int left = box.x();
    int top = box.y();
    int width = box.width();
    int height = box.height();
    if (width < 0) {
        left += width;
        width = -width;
    }
    if (height < 0) {
        top += height;
        height = -height;
    }
    return QRect(left, top, width, height);
}

QRect LayoutEditModel::boundsOf(const ReportObject& object) {
    return normalized(geometryOf(object));
}

QRect LayoutEditModel::resized(const QRect& geometry, Handle handle, QPoint delta, bool isLine) {
    int left = geometry.x();
    int top = geometry.y();
    int right = left + geometry.width();
    int bottom = top + geometry.height();
    const bool movesLeft =
        handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft;
    const bool movesRight =
        handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight;
    const bool movesTop =
        handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight;
    const bool movesBottom =
        handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight;
    if (movesLeft)
        left += delta.x();
    if (movesRight)
        right += delta.x();
    if (movesTop)
        top += delta.y();
    if (movesBottom)
        bottom += delta.y();
    // A line keeps its direction; a box dragged past its opposite edge turns around.
    if (!isLine) {
        if (right < left)
            std::swap(left, right);
        if (bottom < top)
            std::swap(top, bottom);
    }
    return QRect(left, top, right - left, bottom - top);
}

int LayoutEditModel::snapped(int value, int grid) {
    if (grid <= 1)
        return value;
    const int half = grid / 2;
    return value >= 0 ? (value + half) / grid * grid : -((-value + half) / grid * grid);
}
