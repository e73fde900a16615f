#include "ConnectionDescription.h"

#include "DbError.h"

#include <QDir>

const QString ConnectionDescription::JetProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
const QString ConnectionDescription::WorkgroupUser = QStringLiteral("fp");
const QString ConnectionDescription::WorkgroupPassword = QStringLiteral("quamlzexo#((&");
const QString ConnectionDescription::DatabaseFileName = QStringLiteral("kolu.mdb");

namespace {

const QString Empty = QStringLiteral("\"\"");

// A value that would end the pair early or lose its blanks goes into double quotes.
QString quoted(const QString& value) {
    if (value.isEmpty())
        return Empty;
    const bool plain = !value.contains(u';') && !value.startsWith(u'"') &&
                       !value.startsWith(u'\'') && value.trimmed() == value;
    return plain ? value : u'"' + QString(value).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Reads a value at `i` up to the next ";" outside quotes; leaves i on that ";" or the end.
QString readValue(const QString& text, qsizetype& i) {
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
        const QChar quote = text[i++];
        QString value;
        while (i < text.size()) {
            if (text[i] == quote) {
                if (i + 1 < text.size() && text[i + 1] == quote) {
                    value += quote;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            value += text[i++];
        }
        while (i < text.size() && text[i] != u';')
            ++i;
        return value;
    }
    const qsizetype end = text.indexOf(u';', i);
    const qsizetype stop = end < 0 ? text.size() : end;
    const QString value = text.mid(i, stop - i).trimmed();
    i = stop;
    return value;
}

} // namespace

ConnectionDescription ConnectionDescription::forFolder(const QString& folder) {
    QString dir = QDir::toNativeSeparators(folder);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    ConnectionDescription d;
    d.pairs_ = {{QStringLiteral("Provider"), JetProvider},
                {QStringLiteral("Password"), WorkgroupPassword},
                {QStringLiteral("User ID"), WorkgroupUser},
                {QStringLiteral("Data Source"), dir + DatabaseFileName},
                {QStringLiteral("Mode"), QStringLiteral("Share Deny None")},
                {QStringLiteral("Extended Properties"), QString()},
                {QStringLiteral("Jet OLEDB:System database"), QStringLiteral("Security.mdw")},
                {QStringLiteral("Jet OLEDB:Registry Path"), QString()},
                {QStringLiteral("Jet OLEDB:Database Password"), QString()},
                {QStringLiteral("Jet OLEDB:New Database Password"), QString()}};
    return d;
}

ConnectionDescription ConnectionDescription::parse(const QString& text) {
    ConnectionDescription d;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(u'=', i);
        const qsizetype semi = text.indexOf(u';', i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            if (text.mid(i, semi < 0 ? -1 : semi - i).trimmed().isEmpty()) {
                i = semi < 0 ? text.size() : semi + 1;
                continue;
            }
            throw DbError(QStringLiteral("连接说明有误：“%1”缺少“=”").arg(text.mid(i)));
        }
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        const QString value = readValue(text, i);
        d.pairs_.append({key, value});
        ++i;
    }
    return d;
}

QString ConnectionDescription::toString() const {
    QStringList parts;
    for (const auto& [key, value] : pairs_)
        parts << key + u'=' + quoted(value);
    return parts.join(u';');
}

QString ConnectionDescription::value(const QString& key) const {
    for (const auto& [k, v] : pairs_)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

ConnectionDescription::Engine ConnectionDescription::engine() const {
    const QString provider = value(QStringLiteral("Provider"));
    if (provider.startsWith(QStringLiteral("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive) ||
        provider.startsWith(QStringLiteral("Microsoft.ACE.OLEDB"), Qt::CaseInsensitive))
        return Engine::SQLite;
    if (provider.startsWith(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) ||
        provider.startsWith(QStringLiteral("PGNP"), Qt::CaseInsensitive))
        return Engine::PostgreSQL;
    return Engine::Unknown;
}

ConnectionDescription::SqlSettings ConnectionDescription::sqlSettings() const {
    SqlSettings s;
    const QString source = value(QStringLiteral("Data Source"));
    switch (engine()) {
    case Engine::SQLite:
        s.driver = QStringLiteral("QSQLITE");
        s.databaseName = QDir::fromNativeSeparators(source);
        s.connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000");
        if (value(QStringLiteral("Mode")).compare(u"Read", Qt::CaseInsensitive) == 0)
            s.connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
        return s;
    case Engine::PostgreSQL: {
        s.driver = QStringLiteral("QPSQL");
        const QString server = source.section(u'/', 0, 0);
        s.databaseName = value(QStringLiteral("Initial Catalog"));
        if (s.databaseName.isEmpty())
            s.databaseName = source.section(u'/', 1);
        if (s.databaseName.isEmpty())
            throw DbError(QStringLiteral("连接说明中没有数据库名称：%1").arg(source));
        s.hostName = server.section(u':', 0, 0);
        const QString port = server.section(u':', 1);
        s.port = port.isEmpty() ? 5432 : port.toInt();
        s.userName = value(QStringLiteral("User ID"));
        s.password = value(QStringLiteral("Password"));
        return s;
    }
    case Engine::Unknown:
        break;
    }
    throw DbError(
        QStringLiteral("不支持的数据库提供程序：%1").arg(value(QStringLiteral("Provider"))));
}
