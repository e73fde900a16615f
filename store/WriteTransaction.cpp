#include "WriteTransaction.h"

#include "DbError.h"
#include "SqlCommand.h"
#include "SqlDialect.h"

#include <QHash>

namespace {

// Open transactions per connection name; there is one thread.
QHash<QString, int>& depths() {
    static QHash<QString, int> open;
    return open;
}

// The work after a commit only tidies up: the data is written, so a failure must not be
// reported as a failed save. A checkpoint fails while a list is still being read on this
// connection; a later commit checkpoints instead.
void tidyUp(const QSqlDatabase& db, const QString& sql) {
    try {
        SqlCommand::run(db, sql).finish();
    } catch (const DbError&) {
    }
}

} // namespace

WriteTransaction::WriteTransaction(const QSqlDatabase& db) : db_(db) {
    int& depth = depths()[db_.connectionName()];
    if (depth == 0)
        SqlCommand::run(db_, SqlDialect::forDatabase(db_).beginWrite());
    outermost_ = depth == 0;
    ++depth;
}

WriteTransaction::~WriteTransaction() {
    int& depth = depths()[db_.connectionName()];
    --depth;
    if (outermost_ && !done_) {
        try {
            SqlCommand::run(db_, QStringLiteral("ROLLBACK"));
        } catch (...) {
            // The engine rolls back by itself when the rollback statement cannot run.
        }
    }
    if (depth == 0)
        depths().remove(db_.connectionName());
}

void WriteTransaction::commit() {
    if (outermost_ && !done_) {
        SqlCommand::run(db_, QStringLiteral("COMMIT"));
        done_ = true;
        const QString after = SqlDialect::forDatabase(db_).afterCommit();
        if (!after.isEmpty())
            tidyUp(db_, after);
    }
    done_ = true;
}
