#pragma once
// A Delphi edit mask, "mask;saveLiterals;blank", and the two conversions a masked
// edit makes: what the edit shows <-> the text its field receives.
//
// Mask characters: 0 digit (required), 9 digit, # digit or sign, L/l letter,
// A/a letter or digit, C/c any character (upper case = required), \ makes the
// next character a literal, _ is a literal blank, > upper case, < lower case,
// <> no case conversion, ! reverse direction. Everything else is a literal.
// saveLiterals is "0" to drop the literals from the field's text; anything else,
// or nothing, keeps them. blank is the character shown at unfilled positions
// ("_" when not given).
//
// Reading the edit (fieldText):
//  - literals dropped:  the characters of the input positions, unfilled ones as
//    blanks. With "!" the blanks in front of the first filled position are
//    dropped and those after it stay; without "!" the blanks after the last
//    filled position are dropped and those in front stay.
//      "!99/9999;0;_"  shows "01/20__"  -> "0120  "
//      "!99/9999;0;_"  shows "__/____"  -> ""
//      "99/9999;0;_"   shows "01/20__"  -> "0120"
//  - literals kept: every position, literals included, unfilled ones as blanks.
//      "!99/99/9999;1;_" shows "__/__/____" -> "  /  /    "
// Showing a field's text (displayTextFor) is the inverse: with literals dropped
// the characters fill the input positions from the left, or with "!" from the
// right, so a short text stands at the end; with literals kept the text is laid
// over the mask position by position, a literal of the text realigning it to
// the next literal of the mask.

#include <QString>
#include <vector>

namespace meru::platform {

class EditMask {
public:
    EditMask() = default;  // no mask: the edit takes any text as it is

    // Throws std::invalid_argument for a mask that a Qt line edit cannot
    // represent (a literal ';').
    static EditMask parse(const QString& delphiMask);

    bool isEmpty() const { return positions_.empty(); }
    const QString& source() const { return source_; }
    bool savesLiterals() const { return saveLiterals_; }
    bool reversed() const { return reversed_; }
    QChar blank() const { return blank_; }

    // The equivalent QLineEdit input mask, "mask;blank"; empty for no mask.
    QString qtInputMask() const;
    // Characters the edit shows: input positions and literals.
    int maxLength() const { return int(positions_.size()); }

    // The text the field receives from what the edit shows
    // (QLineEdit::displayText(): unfilled positions shown as the blank).
    QString fieldText(const QString& displayText) const;
    // What the edit shows for a field's text, unfilled positions as the blank.
    QString displayTextFor(const QString& fieldText) const;

    // Where typing goes, over what the edit shows. typedEnd: the position after
    // the last filled input position (0 when none is filled). firstUnfilled: the
    // first input position still showing the blank, -1 when every one is filled.
    int typedEnd(const QString& displayText) const;
    int firstUnfilled(const QString& displayText) const;
    // The position after the last input position: from there on nothing typed is taken.
    int inputEnd() const;

    friend bool operator==(const EditMask& a, const EditMask& b) { return a.source_ == b.source_; }

private:
    struct Position {
        bool input;     // an input position, else a literal
        QChar literal;  // for a literal
    };

    bool isInput(int i) const { return positions_[size_t(i)].input; }
    int inputCount() const;

    QString source_;
    QString qtMask_;
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    bool reversed_ = false;
    QChar blank_ = QLatin1Char('_');
};

}  // namespace meru::platform
