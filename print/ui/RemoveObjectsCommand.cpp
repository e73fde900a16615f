#include "RemoveObjectsCommand.h"

#include "LayoutEditModel.h"

RemoveObjectsCommand::RemoveObjectsCommand(LayoutEditModel* model, int page,
                                           const QList<int>& indices,
                                           const QList<ReportObject>& objects, const QString& text)
    : QUndoCommand(text), model_(model), page_(page), indices_(indices), objects_(objects) {}

void RemoveObjectsCommand::undo() {
    model_->insertObjects(page_, indices_, objects_);
}

void RemoveObjectsCommand::redo() {
    model_->removeObjects(page_, indices_);
}
