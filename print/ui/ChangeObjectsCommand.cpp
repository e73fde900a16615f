#include "ChangeObjectsCommand.h"

#include "LayoutEditModel.h"

ChangeObjectsCommand::ChangeObjectsCommand(LayoutEditModel* model, int page,
                                           const QList<int>& indices,
                                           const QList<ReportObject>& before,
                                           const QList<ReportObject>& after, const QString& text)
    : QUndoCommand(text), model_(model), page_(page), indices_(indices), before_(before),
      after_(after) {}

void ChangeObjectsCommand::undo() {
    model_->putObjects(page_, indices_, before_);
}

void ChangeObjectsCommand::redo() {
    model_->putObjects(page_, indices_, after_);
}
