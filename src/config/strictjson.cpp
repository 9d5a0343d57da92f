#include "config/strictjson.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

using Node = StrictJson::Node;

// RFC 8259 JSON, strictly: one value, nothing after it but white space.
class Parser
{
public:
    explicit Parser(const QByteArray &json) : m_json(json) {}

    QString error;
    int errorOffset = 0;

    bool parse(Node *root)
    {
        skipSpace();
        if (!value(root, 0))
            return false;
        skipSpace();
        return m_pos == m_json.size() || fail(QStringLiteral("more after the document"));
    }

private:
    bool fail(const QString &why)
    {
        if (error.isEmpty()) {
            error = why;
            errorOffset = m_pos;
        }
        return false;
    }

    bool atEnd() const { return m_pos >= m_json.size(); }
    char peek() const { return atEnd() ? '\0' : m_json.at(m_pos); }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++m_pos;
    }

    bool value(Node *node, int depth)
    {
        if (depth > StrictJson::MaxDepth)
            return fail(QStringLiteral("nested deeper than %1 levels").arg(StrictJson::MaxDepth));
        switch (peek()) {
        case '{': return object(node, depth);
        case '[': return array(node, depth);
        case '"':
            node->kind = Node::Kind::String;
            return string(&node->text);
        case 't':
            node->kind = Node::Kind::Bool;
            node->text = QStringLiteral("true");
            return literal("true");
        case 'f':
            node->kind = Node::Kind::Bool;
            node->text = QStringLiteral("false");
            return literal("false");
        case 'n':
            node->kind = Node::Kind::Null;
            return literal("null");
        default:
            node->kind = Node::Kind::Number;
            return number(&node->text);
        }
    }

    bool literal(const char *word)
    {
        const int length = int(qstrlen(word));
        if (m_json.mid(m_pos, length) != word)
            return fail(QStringLiteral("unexpected character"));
        m_pos += length;
        return true;
    }

    bool digits()
    {
        const int start = m_pos;
        while (!atEnd() && peek() >= '0' && peek() <= '9')
            ++m_pos;
        return m_pos > start;
    }

    bool number(QString *text)
    {
        const int start = m_pos;
        if (peek() == '-')
            ++m_pos;
        if (peek() == '0')
            ++m_pos;
        else if (!digits())
            return fail(atEnd() ? QStringLiteral("unexpected end") : QStringLiteral("unexpected character"));
        if (peek() == '.') {
            ++m_pos;
            if (!digits())
                return fail(QStringLiteral("a digit must follow the decimal point"));
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            if (!digits())
                return fail(QStringLiteral("a digit must follow the exponent"));
        }
        *text = QString::fromLatin1(m_json.constData() + start, m_pos - start);
        return true;
    }

    // The four hexadecimal digits of a \\u escape; -1 when they are not there.
    int hexDigits()
    {
        if (m_pos + 4 > m_json.size())
            return -1;
        int unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_json.at(m_pos + i);
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return -1;
            unit = unit * 16 + (c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        m_pos += 4;
        return unit;
    }

    bool string(QString *text)
    {
        ++m_pos;   // the opening quote
        QByteArray raw;   // UTF-8 since the last escape
        text->clear();
        for (;;) {
            if (atEnd())
                return fail(QStringLiteral("unterminated string"));
            const char c = m_json.at(m_pos);
            if (c == '"') {
                ++m_pos;
                *text += QString::fromUtf8(raw);
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return fail(QStringLiteral("control character in a string"));
            if (c != '\\') {
                raw += c;
                ++m_pos;
                continue;
            }
            *text += QString::fromUtf8(raw);
            raw.clear();
            ++m_pos;
            const char escape = peek();
            ++m_pos;
            switch (escape) {
            case '"': *text += QLatin1Char('"'); break;
            case '\\': *text += QLatin1Char('\\'); break;
            case '/': *text += QLatin1Char('/'); break;
            case 'b': *text += QLatin1Char('\b'); break;
            case 'f': *text += QLatin1Char('\f'); break;
            case 'n': *text += QLatin1Char('\n'); break;
            case 'r': *text += QLatin1Char('\r'); break;
            case 't': *text += QLatin1Char('\t'); break;
            case 'u': {
                const int unit = hexDigits();
                if (unit < 0)
                    return fail(QStringLiteral("invalid \\u escape"));
                *text += QChar(static_cast<ushort>(unit));
                break;
            }
            default:
                --m_pos;
                return fail(QStringLiteral("invalid escape"));
            }
        }
    }

    bool array(Node *node, int depth)
    {
        node->kind = Node::Kind::Array;
        ++m_pos;
        skipSpace();
        if (peek() == ']') {
            ++m_pos;
            return true;
        }
        for (;;) {
            Node item;
            skipSpace();
            if (!value(&item, depth + 1))
                return false;
            node->items << item;
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == ']') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unterminated array") : QStringLiteral("a comma or ] expected"));
        }
    }

    bool object(Node *node, int depth)
    {
        node->kind = Node::Kind::Object;
        ++m_pos;
        skipSpace();
        if (peek() == '}') {
            ++m_pos;
            return true;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"')
                return fail(atEnd() ? QStringLiteral("unterminated object") : QStringLiteral("a key in double quotes expected"));
            QPair<QString, Node> member;
            if (!string(&member.first))
                return false;
            skipSpace();
            if (peek() != ':')
                return fail(QStringLiteral("a colon expected after the key"));
            ++m_pos;
            skipSpace();
            if (!value(&member.second, depth + 1))
                return false;
            node->members << member;
            skipSpace();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == '}') {
                ++m_pos;
                return true;
            }
            return fail(atEnd() ? QStringLiteral("unterminated object") : QStringLiteral("a comma or } expected"));
        }
    }

    const QByteArray &m_json;
    int m_pos = 0;
};

// A number's text in a message: it holds nothing but digits, signs, a point and an exponent, but
// it may be of any length.
QString numberText(const QString &text)
{
    if (text.size() <= StrictJson::QuoteLimit)
        return text;
    return QStringLiteral("%1... (%2 characters)").arg(text.left(StrictJson::QuoteLimit)).arg(text.size());
}

bool fail(QString *error, const QString &why)
{
    *error = why;
    return false;
}

} // namespace

const Node *StrictJson::Node::member(const QString &key) const
{
    for (const auto &entry : members) {
        if (entry.first == key)
            return &entry.second;
    }
    return nullptr;
}

bool StrictJson::parse(const QByteArray &json, Node *root, QString *error, int *errorOffset)
{
    Parser parser(json);
    if (parser.parse(root))
        return true;
    *error = parser.error;
    *errorOffset = parser.errorOffset;
    return false;
}

bool StrictJson::object(const Node *node, const QString &path, const QStringList &keys, QString *error)
{
    if (node->kind != Node::Kind::Object)
        return fail(error, tr("%1 must be an object").arg(path));
    QStringList seen;
    for (const auto &entry : node->members) {
        if (!keys.contains(entry.first))
            return fail(error, tr("%1 has an unknown key %2").arg(path, quoted(entry.first)));
        if (seen.contains(entry.first))
            return fail(error, tr("%1 has the key %2 twice").arg(path, quoted(entry.first)));
        seen << entry.first;
    }
    for (const QString &key : keys) {
        if (!seen.contains(key))
            return fail(error, tr("%1 has no \"%2\"").arg(path, key));
    }
    return true;
}

bool StrictJson::array(const Node *node, const QString &path, int count, QString *error)
{
    if (node->kind != Node::Kind::Array)
        return fail(error, tr("%1 must be an array").arg(path));
    if (node->items.size() != count)
        return fail(error, tr("%1 must hold %2 entries, not %3").arg(path).arg(count).arg(node->items.size()));
    return true;
}

bool StrictJson::number(const Node *node, const QString &path, int minimum, int maximum, int *value, QString *error)
{
    if (node->kind != Node::Kind::Number)
        return fail(error, tr("%1 must be a whole number").arg(path));
    bool converted = false;
    const double number = node->text.toDouble(&converted);
    const bool negativeExponent = node->text.contains(QLatin1String("e-"), Qt::CaseInsensitive);
    // A valid JSON number that does not convert is beyond a double: too large, or, with a
    // negative exponent, too small to be anything but a fraction.
    if ((!converted || !std::isfinite(number)) && negativeExponent)
        return fail(error, tr("%1 must be a whole number").arg(path));
    if (converted && std::isfinite(number) && number != std::floor(number))
        return fail(error, tr("%1 must be a whole number").arg(path));
    if (!converted || !std::isfinite(number) || number < minimum || number > maximum)
        return fail(error, tr("%1 is %2, outside %3..%4").arg(path, numberText(node->text)).arg(minimum).arg(maximum));
    *value = static_cast<int>(number);
    return true;
}

QString StrictJson::quoted(const QString &text)
{
    // Cut between whole characters: never half of a surrogate pair.
    int shown = std::min<int>(text.size(), QuoteLimit);
    if (shown < text.size() && shown > 0 && text.at(shown - 1).isHighSurrogate())
        --shown;
    QString result = QStringLiteral("\"");
    for (int i = 0; i < shown; ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        // Control characters (C0, DEL, C1), the bidirectional overrides and isolates that
        // reorder what follows on a terminal, and halves of broken surrogate pairs.
        const bool pairHalf = c.isSurrogate()
            && !(c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            && !(c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate());
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            result += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            result += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            result += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            result += QStringLiteral("\\r");
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || pairHalf)
            result += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            result += c;
    }
    result += QLatin1Char('"');
    if (shown < text.size())
        result += QStringLiteral("... (%1 characters)").arg(text.size());
    return result;
}
