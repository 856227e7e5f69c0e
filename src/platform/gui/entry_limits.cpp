#include "platform/gui/entry_limits.h"

#include <QStringView>
#include <algorithm>

#include "platform/core/text.h"

namespace kob {

bool IsAmountEntry(const QString& text) {
    int i = 0;
    const int n = static_cast<int>(text.size());
    if (i < n && text[i] == u'-') {
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits <= kAmountDigits;
}

bool IsWholeNumberEntry(const QString& text) {
    if (text.size() > kAmountDigits) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString FitToColumn(QString text, int chars, int* cursor) {
    if (chars <= 0) {
        return text;
    }
    int at = cursor != nullptr ? std::clamp(*cursor, 0, static_cast<int>(text.size()))
                               : static_cast<int>(text.size());
    QString kept;
    kept.reserve(text.size());
    int new_at = at;
    for (int i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        int units = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            units = 2;
        }
        if (GbkHolds(c)) {
            kept.append(QStringView(text).mid(i, units));
        } else if (i < at) {
            new_at -= std::min(units, at - i);
        }
        i += units;
    }
    // Everything kept is one unit per character now.
    if (kept.size() > chars) {
        const int excess = static_cast<int>(kept.size()) - chars;
        const int from = std::max(0, new_at - excess);
        kept.remove(from, new_at - from);
        new_at = from;
        kept.truncate(chars);
        new_at = std::min(new_at, static_cast<int>(kept.size()));
    }
    if (cursor != nullptr) {
        *cursor = new_at;
    }
    return kept;
}

QValidator::State EntryValidator::validate(QString& input, int& pos) const {
    if (code_sets) {
        return Acceptable;
    }
    if (mode == EntryMode::Amount) {
        return IsAmountEntry(input) ? Acceptable : Invalid;
    }
    if (mode == EntryMode::WholeNumber) {
        return IsWholeNumberEntry(input) ? Acceptable : Invalid;
    }
    input = FitToColumn(input, column_chars, &pos);
    return Acceptable;
}
}  // namespace kob
