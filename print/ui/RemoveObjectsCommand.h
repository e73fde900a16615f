#pragma once

#include "ReportObject.h"

#include <QUndoCommand>

class LayoutEditModel;

// Takes objects out of a page; undo puts them back at their places, in drawing order.
class RemoveObjectsCommand : public QUndoCommand {
public:
    RemoveObjectsCommand(LayoutEditModel* model, int page, const QList<int>& indices,
                         const QList<ReportObject>& objects, const QString& text);
    void undo() override;
    void redo() override;

private:
    LayoutEditModel* model_;
    int page_;
    QList<int> indices_; // ascending
    QList<ReportObject> objects_;
};
