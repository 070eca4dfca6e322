#pragma once
// Texts as the invoice windows take them from their edits.

#include <QString>

namespace meru::invoices {

// Leading and trailing blanks and control characters removed.
inline QString trimmed(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= ' ') ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ') --end;
    return text.mid(begin, end - begin);
}

}  // namespace meru::invoices
