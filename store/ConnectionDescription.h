#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The connection text "Provider=...;Password=...;..." and what it means for our engines.
// The Jet provider names the embedded SQLite file given by Data Source; a PostgreSQL provider
// names a server ("host[:port]/database" in Data Source, or Initial Catalog).
class ConnectionDescription {
public:
    static const QString JetProvider;
    static const QString WorkgroupUser;
    static const QString WorkgroupPassword;
    static const QString DatabaseFileName;

    enum class Engine { SQLite, PostgreSQL, Unknown };

    // What QSqlDatabase needs to open the described database.
    struct SqlSettings {
        QString driver;       // QSQLITE or QPSQL
        QString databaseName; // file path or database name
        QString hostName;
        int port = -1;
        QString userName;
        QString password;
        QString connectOptions;
    };

    // The description of the database file in `folder`, keys in their fixed order.
    static ConnectionDescription forFolder(const QString& folder);
    // Throws DbError when the text is not a list of key=value pairs.
    static ConnectionDescription parse(const QString& text);

    QString toString() const;
    // Value of a key, compared without regard to case; empty when missing.
    QString value(const QString& key) const;
    Engine engine() const;
    // Throws DbError for an unknown provider or a PostgreSQL source without a database name.
    SqlSettings sqlSettings() const;

private:
    QList<QPair<QString, QString>> pairs_;
};
