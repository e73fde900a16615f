#include "SqlLexer.h"

namespace {

using Kind = SqlLexer::Token::Kind;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Index just past a literal that starts at i with `quote` and doubles it inside.
qsizetype endOfQuoted(const QString& s, qsizetype i, QChar quote) {
    ++i;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return s.size();
}

qsizetype endOfSpace(const QString& s, qsizetype i) {
    while (i < s.size()) {
        if (s[i].isSpace()) {
            ++i;
        } else if (s.mid(i, 2) == u"--") {
            const qsizetype nl = s.indexOf(u'\n', i);
            i = nl < 0 ? s.size() : nl + 1;
        } else if (s.mid(i, 2) == u"/*") {
            const qsizetype close = s.indexOf(u"*/", i + 2);
            i = close < 0 ? s.size() : close + 2;
        } else {
            break;
        }
    }
    return i;
}

qsizetype endOfSymbol(const QString& s, qsizetype i) {
    static const char* twoChar[] = {"<=", ">=", "<>", "!=", "||", "==", "::"};
    for (const char* op : twoChar)
        if (s.mid(i, 2) == QLatin1String(op))
            return i + 2;
    return i + 1;
}

} // namespace

bool SqlLexer::Token::isWord(const char* word) const {
    return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool SqlLexer::Token::isSymbol(const char* symbol) const {
    return kind == Kind::Symbol && text == QLatin1String(symbol);
}

QString SqlLexer::Token::name() const {
    switch (kind) {
    case Kind::Bracketed:
        return text.mid(1, text.size() - 2);
    case Kind::DoubleQuoted:
        return text.mid(1, text.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    default:
        return text;
    }
}

QVector<SqlLexer::Token> SqlLexer::tokenize(const QString& s) {
    QVector<Token> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        qsizetype end = i + 1;
        Kind kind = Kind::Symbol;
        if (c.isSpace() || s.mid(i, 2) == u"--" || s.mid(i, 2) == u"/*") {
            kind = Kind::Space;
            end = endOfSpace(s, i);
        } else if (c.isDigit() || (c == u'.' && i + 1 < s.size() && s[i + 1].isDigit())) {
            kind = Kind::Number;
            while (end < s.size() && (s[end].isDigit() || s[end] == u'.'))
                ++end;
        } else if (isWordChar(c)) {
            kind = Kind::Word;
            while (end < s.size() && isWordChar(s[end]))
                ++end;
        } else if (c == u'\'' || c == u'"') {
            kind = c == u'\'' ? Kind::SingleQuoted : Kind::DoubleQuoted;
            end = endOfQuoted(s, i, c);
        } else if (c == u'[') {
            kind = Kind::Bracketed;
            const qsizetype close = s.indexOf(u']', i);
            end = close < 0 ? s.size() : close + 1;
        } else if (c == u':' && i + 1 < s.size() && (s[i + 1].isLetter() || s[i + 1] == u'_')) {
            kind = Kind::Parameter;
            while (end < s.size() && isWordChar(s[end]))
                ++end;
        } else {
            end = endOfSymbol(s, i);
        }
        tokens.append({kind, s.mid(i, end - i)});
        i = end;
    }
    return tokens;
}
