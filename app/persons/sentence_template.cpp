// The sentence-template expander: plain text with conditional groups [letters?text], fields {letter} and
// choices by sex <male|female|other>, answered letter by letter by the assertion's HasField and
// GetFieldText. The read position only moves forward; the output never passes its capacity.
#include <cstring>
#include <memory>
#include <string>

#include "core/date_words.h"
#include "persons/assertion.h"
#include "settings/settings.h"

namespace {

constexpr std::size_t ChoiceTextLength = 31;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsUpperAscii(char c)
{
    return c >= 'A' && c <= 'Z';
}

} // namespace

struct Assertion::SentenceContext {
    const AssertionLink& link;
    const NameRecord& name;
    int sex;
    bool showIds;
};

char* Assertion::FormatSentence(char* output, std::size_t capacity, const AssertionLink& link, const NameRecord& name,
                                int sex, bool showIds, const char* datePicture)
{
    if (capacity == 0)
        return output;
    output[0] = '\0';
    output_ = output;
    capacity_ = capacity;
    length_ = 0;
    position_ = 0;
    datePicture_ = datePicture;

    const char* text = GetSentenceTemplate(link.row.roleId != 0 ? 1 : 0);
    std::memset(template_, 0, sizeof template_);
    if (text)
        std::strncpy(template_, text, SentenceTemplateLength);

    ExpandSentenceTemplate(false, SentenceContext{link, name, sex, showIds});
    output_ = nullptr;
    datePicture_ = nullptr;
    return output;
}

const char* Assertion::SentenceDatePicture() const
{
    return datePicture_ != nullptr ? datePicture_ : ScreenDatePicture();
}

void Assertion::AppendCharacter(char c)
{
    if (length_ + 1 >= capacity_)
        return;
    output_[length_++] = c;
    output_[length_] = '\0';
}

void Assertion::AppendToSentence(const char* text)
{
    for (; *text; ++text)
        AppendCharacter(*text);
}

void Assertion::SkipHiddenGroup()
{
    int depth = 0;
    while (char c = template_[position_]) {
        ++position_;
        if (c == '\\') {
            // An escaped bracket is text, not part of the nesting.
            if (template_[position_])
                ++position_;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            if (depth == 0)
                return;
            --depth;
        }
    }
}

void Assertion::ExpandSentenceTemplate(bool group, const SentenceContext& context)
{
    if (group) {
        bool shown = false;
        int negate = 0;
        for (char c; (c = template_[position_]) != '\0' && c != '?' && c != ']'; ++position_) {
            if (c == '!') {
                negate = 1;
                continue;
            }
            if ((HasField(c, context.link) ^ negate) == 1)
                shown = true;
            negate = 0;
        }
        if (template_[position_] == '?')
            ++position_;
        if (!shown) {
            SkipHiddenGroup();
            return;
        }
    }

    for (;;) {
        char c = template_[position_];
        if (c == '\0')
            return;
        if (c == ']') {
            ++position_;
            return;
        }
        if (c == '[') {
            ++position_;
            ExpandSentenceTemplate(true, context);
            continue;
        }
        if (c == '{') {
            ++position_;
            const std::size_t start = position_;
            while (template_[position_] && template_[position_] != '}' && template_[position_] != '{')
                ++position_;
            const char letter = position_ > start ? template_[start] : '\0';
            if (template_[position_])
                ++position_;
            if (letter != '\0') {
                std::unique_ptr<char[]> field(new char[FieldTextSize]());
                GetFieldText(field.get(), FieldTextSize, LowerAscii(letter), context.link, context.name,
                             context.showIds);
                field[FieldTextSize - 1] = '\0';
                if (field[0] != '\0') {
                    if (IsUpperAscii(letter))
                        field[0] = UpperCaseText(std::string(1, field[0]))[0];
                    AppendToSentence(field.get());
                }
            }
            continue;
        }
        if (c == '<') {
            ++position_;
            std::string texts[3];
            for (int i = 0; i < 3; ++i) {
                while (template_[position_] && template_[position_] != '|' && template_[position_] != '>') {
                    if (texts[i].size() < ChoiceTextLength)
                        texts[i] += template_[position_];
                    ++position_;
                }
                if (template_[position_] == (i < 2 ? '|' : '>'))
                    ++position_;
            }
            if (context.sex == 1)
                AppendToSentence(texts[0].c_str());
            else if (context.sex == 2)
                AppendToSentence(texts[1].c_str());
            else if (!texts[2].empty())
                AppendToSentence(texts[2].c_str());
            else
                AppendToSentence((texts[0] + "/" + texts[1]).c_str());
            continue;
        }
        if (c == '\\') {
            ++position_;
            c = template_[position_];
            if (c == '\0')
                return;
        }
        ++position_;
        if (c == '.' && length_ > 0 && output_[length_ - 1] == '.')
            continue;
        AppendCharacter(c);
    }
}
