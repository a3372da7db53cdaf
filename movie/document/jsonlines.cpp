#include "movie/document/jsonlines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// Deeper items are skipped whole, so a walk never runs deep into the stack.
constexpr int kMaxDepth = 64;

class Walker
{
public:
    Walker(const QByteArray& json, const std::function<bool(const JsonPath&, int)>& visit)
        : m_json(json), m_visit(visit)
    {
    }

    void run()
    {
        JsonPath path;
        skipSpace();
        value(path, m_line);
    }

private:
    bool atEnd() const { return m_pos >= m_json.size(); }
    char peek() const { return atEnd() ? '\0' : m_json[m_pos]; }

    void advance()
    {
        if (m_json[m_pos] == '\n')
            ++m_line;
        ++m_pos;
    }

    static bool isDelimiter(char c)
    {
        return c == ',' || c == ':' || c == ']' || c == '}' || c == '[' || c == '{' || c == '"' || c == ' ' ||
               c == '\t' || c == '\r' || c == '\n';
    }

    void skipSpace()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\r' || peek() == '\n'))
            advance();
    }

    // A string from its opening quote; returns its raw text, quotes included.
    QByteArray string()
    {
        const qsizetype start = m_pos;
        advance();
        while (!atEnd() && peek() != '"') {
            if (peek() == '\\' && m_pos + 1 < m_json.size())
                advance();
            advance();
        }
        if (!atEnd())
            advance();
        return m_json.mid(start, m_pos - start);
    }

    static QString key(const QByteArray& raw)
    {
        if (!raw.contains('\\'))
            return QString::fromUtf8(raw.mid(1, raw.size() - 2));
        // Escapes decode as the reader decodes them.
        return QJsonDocument::fromJson('[' + raw + ']').array().at(0).toString();
    }

    // Any value, not looked into.
    void skip()
    {
        int depth = 0;
        do {
            skipSpace();
            if (atEnd())
                return;
            const char c = peek();
            if (c == '"') {
                string();
            } else if (c == '{' || c == '[') {
                ++depth;
                advance();
            } else if (c == '}' || c == ']') {
                --depth;
                advance();
            } else if (c == ',' || c == ':') {
                advance();
            } else {
                do
                    advance();
                while (!atEnd() && !isDelimiter(peek()));
            }
        } while (depth > 0);
    }

    void value(JsonPath& path, int line)
    {
        const char c = peek();
        const bool container = c == '{' || c == '[';
        if (!m_visit(path, line) || !container || path.size() >= kMaxDepth) {
            skip();
            return;
        }
        advance();
        for (qsizetype index = 0;; ++index) {
            skipSpace();
            if (atEnd())
                return;
            if (peek() == (c == '{' ? '}' : ']')) {
                advance();
                return;
            }
            if (peek() == ',') {
                advance();
                skipSpace();
            }
            int itemLine = m_line;
            if (c == '{') {
                if (peek() != '"')
                    return;
                path.push_back({key(string()), -1});
                skipSpace();
                if (peek() != ':')
                    return;
                advance();
                skipSpace();
            } else {
                path.push_back({{}, index});
                itemLine = m_line;
            }
            if (atEnd())
                return;
            value(path, itemLine);
            path.pop_back();
        }
    }

    const QByteArray& m_json;
    const std::function<bool(const JsonPath&, int)>& m_visit;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool samePathStep(const JsonPathStep& a, const JsonPathStep& b)
{
    return a.index == b.index && (a.index >= 0 || a.key == b.key);
}

} // namespace

QString jsonPathText(const JsonPath& path)
{
    QString text;
    for (const JsonPathStep& step : path) {
        if (step.index >= 0)
            text += u'[' + QString::number(step.index) + u']';
        else
            text += (text.isEmpty() ? QString() : u"."_s) + step.key;
    }
    return text;
}

JsonPath jsonPathFrom(const QString& text)
{
    static const QRegularExpression part(u"\\[(\\d+)\\]|\\.?([^.\\[\\]]+)"_s);
    JsonPath path;
    for (auto it = part.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.hasCaptured(1))
            path.push_back({{}, m.captured(1).toLongLong()});
        else
            path.push_back({m.captured(2), -1});
    }
    return path;
}

void walkJson(const QByteArray& json, const std::function<bool(const JsonPath&, int line)>& visit)
{
    Walker(json, visit).run();
}

int jsonLine(const QByteArray& json, const QString& path)
{
    return jsonLine(json, jsonPathFrom(path));
}

int jsonLine(const QByteArray& json, const JsonPath& target)
{
    int line = 1;
    size_t deepest = 0;
    walkJson(json, [&](const JsonPath& at, int atLine) {
        if (at.size() > target.size() || !std::equal(at.begin(), at.end(), target.begin(), samePathStep))
            return false;
        if (at.size() >= deepest) {
            deepest = at.size();
            line = atLine;
        }
        return true;
    });
    return line;
}

int lineAtOffset(const QByteArray& bytes, qsizetype offset)
{
    const qsizetype end = std::clamp<qsizetype>(offset, 0, bytes.size());
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + end, '\n'));
}

} // namespace pptdrill
