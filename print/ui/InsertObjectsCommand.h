#pragma once

#include "ReportObject.h"

#include <QUndoCommand>

class LayoutEditModel;

// Puts new objects at the given places of a page (ascending); undo takes them out again.
class InsertObjectsCommand : public QUndoCommand {
public:
    InsertObjectsCommand(LayoutEditModel* model, int page, const QList<int>& indices,
                         const QList<ReportObject>& objects, const QString& text);
    void undo() override;
    void redo() override;

private:
    LayoutEditModel* model_;
    int page_;
    QList<int> indices_;
    QList<ReportObject> objects_;
};
