#pragma once

#include <QString>
#include <QVector>

// Splits an SQL text into tokens that keep their exact text, so a statement can be inspected
// and rewritten without touching what sits inside literals and quoted names.
class SqlLexer {
public:
    struct Token {
        enum class Kind {
            Space,        // blanks, line breaks and comments
            Word,         // identifier or keyword, Chinese letters included
            Bracketed,    // [name]
            SingleQuoted, // 'text'
            DoubleQuoted, // "text" (a text literal in Jet, a name elsewhere)
            Number,
            Parameter, // :name
            Symbol     // operators and punctuation, one token per operator
        };
        Kind kind;
        QString text;

        bool isWord(const char* word) const;
        bool isSymbol(const char* symbol) const;
        // The name a Word, Bracketed or DoubleQuoted token stands for, without quoting.
        QString name() const;
    };

    static QVector<Token> tokenize(const QString& sql);
};
