#include "SelectSource.h"

#include "SqlLexer.h"

namespace {

using Kind = SqlLexer::Token::Kind;

bool endsFromClause(const SqlLexer::Token& t) {
    for (const char* word : {"where", "order", "group", "having", "limit", "union", "on"})
        if (t.isWord(word))
            return true;
    return false;
}

bool isName(const SqlLexer::Token& t) {
    return t.kind == Kind::Word || t.kind == Kind::Bracketed || t.kind == Kind::DoubleQuoted;
}

} // namespace

SelectSource SelectSource::of(const QString& sql) {
    SelectSource source;
    const auto tokens = SqlLexer::tokenize(sql);
    int depth = 0;
    bool seenSelect = false;
    bool inFrom = false;
    bool expectTable = false;
    bool plain = true;
    for (const SqlLexer::Token& t : tokens) {
        if (t.kind == Kind::Space)
            continue;
        if (t.isSymbol("(")) {
            if (depth == 0 && expectTable)
                plain = false;
            ++depth;
            continue;
        }
        if (t.isSymbol(")")) {
            --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (!seenSelect) {
            if (!t.isWord("select"))
                return source;
            seenSelect = true;
            continue;
        }
        if (t.isWord("distinct") || t.isWord("group") || t.isWord("union"))
            plain = false;
        if (t.isWord("from")) {
            inFrom = expectTable = true;
        } else if (inFrom && endsFromClause(t)) {
            inFrom = expectTable = false;
            if (t.isWord("on"))
                inFrom = true;
        } else if (inFrom && (t.isWord("join") || t.isSymbol(","))) {
            plain = false;
            expectTable = true;
        } else if (expectTable && isName(t)) {
            source.tables_ << t.name();
            expectTable = false;
        }
    }
    source.plain_ = plain && source.tables_.size() == 1;
    return source;
}

QString SelectSource::writableTable() const {
    return plain_ ? tables_.first() : QString();
}
