#pragma once

#include <QCoreApplication>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// JSON that a person may have written or edited (a preset's JSON form, one control's settings
// on the clipboard), read strictly (RFC 8259) and checked value by value, so that a refusal
// names the value by its path and says why: "pads.A[12].channel is 17, outside 1..16". The
// checks' sentences are translated in the context "StrictJson"; the syntax errors are not.
class StrictJson
{
    Q_DECLARE_TR_FUNCTIONS(StrictJson)

public:
    // Characters of a quoted input that a message shows at most.
    static constexpr int QuoteLimit = 80;
    // The documents read here are four levels deep at most; deeper input is refused before it
    // can exhaust the stack.
    static constexpr int MaxDepth = 32;

    // A JSON value as the document spells it: a number keeps its text, so that nothing is
    // converted before its range is checked, and an object keeps every member in document order,
    // so that a key given twice is seen (QJsonDocument keeps the last silently).
    struct Node {
        enum class Kind { Null, Bool, Number, String, Array, Object };
        Kind kind = Kind::Null;
        QString text;                            // Number: as written; String: decoded
        QVector<Node> items;                     // Array
        QVector<QPair<QString, Node>> members;   // Object

        const Node *member(const QString &key) const;
    };

    // One value, nothing after it but white space; otherwise `error` says what is wrong and
    // `errorOffset` at which byte.
    static bool parse(const QByteArray &json, Node *root, QString *error, int *errorOffset);

    // The checks: each true, or false with `error` naming `path` and why.
    // An object whose every member's key is one of `keys`, none twice, none missing.
    static bool object(const Node *node, const QString &path, const QStringList &keys, QString *error);
    static bool array(const Node *node, const QString &path, int count, QString *error);
    // A whole number within minimum..maximum. The range is checked on the number as a double:
    // converting one beyond the integer types (9.3e18) to an integer is undefined.
    static bool number(const Node *node, const QString &path, int minimum, int maximum, int *value, QString *error);

    // `text` as a message may show it: in double quotes, control and direction characters as
    // escapes (a key holding ESC [2J must not clear the terminal), and cut after QuoteLimit
    // characters, with the whole length said.
    static QString quoted(const QString &text);
};
