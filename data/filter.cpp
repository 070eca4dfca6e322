#include "filter.h"

#include "data/engine_error.h"

namespace meru {

namespace {

struct Token {
    enum Kind { End, Ident, Text, Digits, Equal, NotEqual, Open, Close, Or } kind = End;
    QString text;
};

class FilterParser {
public:
    FilterParser(const QString& text, const schema::TableDef& table) : text_(text), table_(table) {}

    CompiledFilter run() {
        advance();
        CompiledFilter out;
        out.where = expression(out.params);
        if (token_.kind != Token::End) error(QStringLiteral("unexpected '%1'").arg(token_.text));
        return out;
    }

private:
    [[noreturn]] void error(const QString& what) const {
        throw EngineError(QStringLiteral("Filter expression not understood: %1\nFilter: %2").arg(what, text_));
    }

    void advance() {
        while (pos_ < text_.size() && text_[pos_].isSpace()) ++pos_;
        token_ = Token{};
        if (pos_ >= text_.size()) return;
        const QChar c = text_[pos_];
        if (c == QLatin1Char('(')) { token_ = {Token::Open, QStringLiteral("(")}; ++pos_; return; }
        if (c == QLatin1Char(')')) { token_ = {Token::Close, QStringLiteral(")")}; ++pos_; return; }
        if (c == QLatin1Char('=')) { token_ = {Token::Equal, QStringLiteral("=")}; ++pos_; return; }
        if (c == QLatin1Char('<') && pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('>')) {
            token_ = {Token::NotEqual, QStringLiteral("<>")};
            pos_ += 2;
            return;
        }
        if (c == QLatin1Char('\'')) {
            QString value;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size()) error(QStringLiteral("a quoted text is not closed"));
                if (text_[pos_] == QLatin1Char('\'')) {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                value += text_[pos_++];
            }
            token_ = {Token::Text, value};
            return;
        }
        if (c.isDigit()) {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && text_[pos_].isDigit()) ++pos_;
            if (pos_ < text_.size() && (text_[pos_].isLetter() || text_[pos_] == QLatin1Char('_')))
                error(QStringLiteral("'%1' is neither a number nor a field").arg(text_.mid(start, pos_ - start + 1)));
            token_ = {Token::Digits, text_.mid(start, pos_ - start)};
            return;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype start = pos_;
            while (pos_ < text_.size() &&
                   (text_[pos_].isLetterOrNumber() || text_[pos_] == QLatin1Char('_')))
                ++pos_;
            const QString word = text_.mid(start, pos_ - start);
            token_ = {word.compare(QLatin1String("or"), Qt::CaseInsensitive) == 0 ? Token::Or : Token::Ident, word};
            return;
        }
        error(QStringLiteral("unexpected '%1'").arg(c));
    }

    QString expression(std::vector<QVariant>& params) {
        QString sql = term(params);
        while (token_.kind == Token::Or) {
            advance();
            sql = QStringLiteral("(%1 OR %2)").arg(sql, term(params));
        }
        return sql;
    }

    QString term(std::vector<QVariant>& params) {
        if (token_.kind == Token::Open) {
            advance();
            QString inner = expression(params);
            if (token_.kind != Token::Close) error(QStringLiteral("')' expected"));
            advance();
            return inner;
        }
        return comparison(params);
    }

    QString comparison(std::vector<QVariant>& params) {
        if (token_.kind != Token::Ident) error(QStringLiteral("a field name expected"));
        const schema::FieldDef* field = table_.field(token_.text);
        if (!field) error(QStringLiteral("field '%1' not found").arg(token_.text));
        advance();
        if (token_.kind != Token::Equal && token_.kind != Token::NotEqual)
            error(QStringLiteral("'=' or '<>' expected after %1").arg(field->name));
        const bool equal = token_.kind == Token::Equal;
        advance();
        if (token_.kind != Token::Text && token_.kind != Token::Digits)
            error(QStringLiteral("a quoted text or digits expected after %1").arg(field->name));
        const Token value = token_;
        advance();
        if (token_.kind != Token::End && token_.kind != Token::Or && token_.kind != Token::Close)
            error(QStringLiteral("unexpected '%1' after %2").arg(token_.text, value.text));

        const QString column = QLatin1Char('"') + field->name + QLatin1Char('"');
        QVariant bound;
        switch (field->type) {
        case schema::FieldType::Alpha:
            bound = value.text;
            break;
        case schema::FieldType::Short:
        case schema::FieldType::Autoinc:
        case schema::FieldType::Number:
            if (value.kind != Token::Digits)
                error(QStringLiteral("field %1 compares only with digits").arg(field->name));
            bound = value.text.toLongLong();
            break;
        default:
            error(QStringLiteral("field %1 cannot be compared here").arg(field->name));
        }
        if (field->type == schema::FieldType::Alpha && value.text.isEmpty())
            return equal ? QStringLiteral("(%1 IS NULL)").arg(column)
                         : QStringLiteral("(%1 IS NOT NULL)").arg(column);
        params.push_back(bound);
        return equal ? QStringLiteral("(%1 = ?)").arg(column)
                     : QStringLiteral("(%1 IS NULL OR %1 <> ?)").arg(column);
    }

    QString text_;
    const schema::TableDef& table_;
    qsizetype pos_ = 0;
    Token token_;
};

}  // namespace

CompiledFilter compileFilter(const QString& text, const schema::TableDef& table) {
    if (text.trimmed().isEmpty()) return {};
    return FilterParser(text, table).run();
}

}  // namespace meru
