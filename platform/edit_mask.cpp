#include "platform/edit_mask.h"

#include <QStringList>
#include <algorithm>
#include <stdexcept>

namespace meru::platform {

namespace {

// Splits "mask;save;blank" at the separators that are not escaped.
QStringList splitFields(const QString& text) {
    QStringList fields{QString()};
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size() && fields.size() == 1) {
            fields.last() += c;
            fields.last() += text[++i];
        } else if (c == QLatin1Char(';') && fields.size() < 3) {
            fields.append(QString());
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

// Delphi input characters and the Qt characters that accept the same input.
QChar qtInputChar(QChar delphi) {
    switch (delphi.unicode()) {
    case '0': return QLatin1Char('9');
    case '9': return QLatin1Char('0');
    case '#': return QLatin1Char('#');
    case 'L': return QLatin1Char('A');
    case 'l': return QLatin1Char('a');
    case 'A': return QLatin1Char('N');
    case 'a': return QLatin1Char('n');
    case 'C': return QLatin1Char('X');
    case 'c': return QLatin1Char('x');
    default: return QChar();
    }
}

bool isQtSpecial(QChar c) {
    static const QString special = QStringLiteral("AaNnXx90DdHhBb#<>![]{}\\");
    return special.contains(c);
}

}  // namespace

EditMask EditMask::parse(const QString& delphiMask) {
    EditMask mask;
    mask.source_ = delphiMask;
    const QStringList fields = splitFields(delphiMask);
    const QString& body = fields[0];
    if (fields.size() > 1) mask.saveLiterals_ = fields[1].trimmed() != QLatin1String("0");
    if (fields.size() > 2 && !fields[2].isEmpty()) mask.blank_ = fields[2][0];

    QString qt;
    auto addLiteral = [&](QChar c) {
        if (c == QLatin1Char(';'))
            throw std::invalid_argument("edit mask with a literal ';' has no line-edit form: " +
                                        delphiMask.toStdString());
        mask.positions_.push_back({false, c});
        if (isQtSpecial(c)) qt += QLatin1Char('\\');
        qt += c;
    };
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == QLatin1Char('!')) {
            mask.reversed_ = true;
        } else if (c == QLatin1Char('<') && i + 1 < body.size() && body[i + 1] == QLatin1Char('>')) {
            qt += QLatin1Char('!');
            ++i;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>')) {
            qt += c;
        } else if (c == QLatin1Char('\\')) {
            addLiteral(i + 1 < body.size() ? body[++i] : c);
        } else if (c == QLatin1Char('_')) {
            addLiteral(QLatin1Char(' '));
        } else if (const QChar input = qtInputChar(c); !input.isNull()) {
            mask.positions_.push_back({true, QChar()});
            qt += input;
        } else {
            addLiteral(c);
        }
    }
    if (!mask.positions_.empty()) mask.qtMask_ = qt + QLatin1Char(';') + mask.blank_;
    return mask;
}

QString EditMask::qtInputMask() const { return qtMask_; }

int EditMask::inputCount() const {
    int n = 0;
    for (const Position& p : positions_) n += p.input ? 1 : 0;
    return n;
}

int EditMask::typedEnd(const QString& displayText) const {
    for (int i = std::min(maxLength(), int(displayText.size())) - 1; i >= 0; --i)
        if (isInput(i) && displayText[i] != blank_) return i + 1;
    return 0;
}

int EditMask::firstUnfilled(const QString& displayText) const {
    for (int i = 0; i < maxLength(); ++i)
        if (isInput(i) && (i >= displayText.size() || displayText[i] == blank_)) return i;
    return -1;
}

int EditMask::inputEnd() const {
    for (int i = maxLength() - 1; i >= 0; --i)
        if (isInput(i)) return i + 1;
    return 0;
}

QString EditMask::fieldText(const QString& displayText) const {
    if (isEmpty()) return displayText;
    const QChar space = QLatin1Char(' ');
    auto shown = [&](int i) { return i < displayText.size() ? displayText[i] : blank_; };

    QString text;
    if (saveLiterals_) {
        for (int i = 0; i < maxLength(); ++i) {
            if (!isInput(i)) text += positions_[size_t(i)].literal;
            else text += shown(i) == blank_ ? space : shown(i);
        }
        return text;
    }

    // Unfilled positions are kept as the blank character until the ends are cut.
    for (int i = 0; i < maxLength(); ++i)
        if (isInput(i)) text += shown(i);
    if (reversed_) {
        int lead = 0;
        while (lead < text.size() && text[lead] == blank_) ++lead;
        text.remove(0, lead);
    } else {
        int end = int(text.size());
        while (end > 0 && text[end - 1] == blank_) --end;
        text.truncate(end);
    }
    text.replace(blank_, space);
    return text;
}

QString EditMask::displayTextFor(const QString& fieldText) const {
    if (isEmpty()) return fieldText;
    auto asShown = [&](QChar c) { return c == QLatin1Char(' ') ? blank_ : c; };

    QString shown;
    if (!saveLiterals_) {
        const int n = inputCount();
        QString chars = fieldText;
        if (reversed_) {
            chars = chars.size() > n ? chars.right(n) : QString(n - chars.size(), blank_) + chars;
        } else {
            chars = chars.left(n);
            chars += QString(n - chars.size(), blank_);
        }
        int next = 0;
        for (int i = 0; i < maxLength(); ++i)
            shown += isInput(i) ? asShown(chars[next++]) : positions_[size_t(i)].literal;
        return shown;
    }

    // The text carries the literals: lay it over the mask; a literal of the
    // text found at an input position closes the group up to that literal.
    int j = 0;
    for (int i = 0; i < maxLength(); ++i) {
        const Position& p = positions_[size_t(i)];
        if (!p.input) {
            shown += p.literal;
            if (j < fieldText.size() && fieldText[j] == p.literal) ++j;
            continue;
        }
        if (j >= fieldText.size()) {
            shown += blank_;
            continue;
        }
        const QChar c = fieldText[j];
        int k = i;
        while (k < maxLength() && isInput(k)) ++k;
        if (!c.isLetterOrNumber() && k < maxLength() && positions_[size_t(k)].literal == c) {
            shown += blank_;  // j stays on the literal until the mask reaches it
            continue;
        }
        shown += asShown(c);
        ++j;
    }
    return shown;
}

}  // namespace meru::platform
