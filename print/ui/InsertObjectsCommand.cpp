#include "InsertObjectsCommand.h"

#include "LayoutEditModel.h"

InsertObjectsCommand::InsertObjectsCommand(LayoutEditModel* model, int page,
                                           const QList<int>& indices,
                                           const QList<ReportObject>& objects, const QString& text)
    : QUndoCommand(text), model_(model), page_(page), indices_(indices), objects_(objects) {}

void InsertObjectsCommand::undo() {
    model_->removeObjects(page_, indices_);
}

void InsertObjectsCommand::redo() {
    model_->insertObjects(page_, indices_, objects_);
}
