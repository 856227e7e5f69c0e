#pragma once
// What the boxes that take text from the operator let through: amounts,
// whole numbers and what fits the column a box feeds.
#include <QString>
#include <QValidator>

namespace kob {

enum class EntryMode { Normal, Masked, Amount, WholeNumber };

// Digits an amount box takes, fraction digits included: a whole part of at
// most 999999999, and a sum of two such, stays within 32 bits.
constexpr int kAmountDigits = 9;

// What an amount box takes: an optional leading minus, digits, an optional
// point and digits, at most kAmountDigits digits in all ("", "-" and "1."
// too, on the way to a number).
bool IsAmountEntry(const QString& text);

// What a whole-number box takes: digits only, at most kAmountDigits ("" too).
bool IsWholeNumberEntry(const QString& text);

// What a box feeding a gbk column of `chars` characters keeps of its text
// after an edit that left the cursor at *cursor: the characters GBK cannot
// hold are dropped, then, while it is too long, the characters just before
// the cursor (the ones the edit put in), then the last ones. *cursor follows.
// chars 0: no column, the text stays as it is.
QString FitToColumn(QString text, int chars, int* cursor = nullptr);

// The operator's edits of a line edit pass through it: an amount box takes
// only an amount, a whole-number box only digits (anything else leaves the
// text as it was), a box feeding a column only what FitToColumn keeps. While
// code_sets is true (code writing the text) any text is taken.
class EntryValidator : public QValidator {
  public:
    explicit EntryValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int& pos) const override;
    EntryMode mode = EntryMode::Normal;
    int column_chars = 0;
    bool code_sets = false;
};

// Code writes the text: while it lives the validator takes any text.
class CodeSets {
  public:
    explicit CodeSets(EntryValidator* validator) : validator_(validator) {
        if (validator_ != nullptr) {
            validator_->code_sets = true;
        }
    }
    ~CodeSets() {
        if (validator_ != nullptr) {
            validator_->code_sets = false;
        }
    }
    CodeSets(const CodeSets&) = delete;
    CodeSets& operator=(const CodeSets&) = delete;

  private:
    EntryValidator* validator_;
};

}  // namespace kob
