#pragma once

#include "ReportObject.h"

#include <QUndoCommand>

class LayoutEditModel;

// Replaces some objects of a page by changed copies; undo puts the earlier ones back.
class ChangeObjectsCommand : public QUndoCommand {
public:
    ChangeObjectsCommand(LayoutEditModel* model, int page, const QList<int>& indices,
                         const QList<ReportObject>& before, const QList<ReportObject>& after,
                         const QString& text);
    void undo() override;
    void redo() override;

private:
    LayoutEditModel* model_;
    int page_;
    QList<int> indices_;
    QList<ReportObject> before_;
    QList<ReportObject> after_;
};
