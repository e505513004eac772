// Message boxes answered by the test instead of a person: every box shown through the program's
// message-box seam while the object lives is recorded and answered with `answer`.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui_common/message_box.h"

namespace test_support {

class AnsweredBoxes {
public:
    struct Box {
        std::string text;
        std::string caption; // "<null>" for a box without a caption of its own
        UINT type;
    };

    explicit AnsweredBoxes(int answer = IDOK) : answer(answer) { SetMessageBoxAnswerer(Answer, this); }
    ~AnsweredBoxes() { SetMessageBoxAnswerer(nullptr, nullptr); }
    AnsweredBoxes(const AnsweredBoxes&) = delete;
    AnsweredBoxes& operator=(const AnsweredBoxes&) = delete;

    std::vector<Box> boxes;
    int answer;
    // Runs while a box is up, as the box's own message loop would run the program's windows.
    std::function<void(const Box&)> whileShown;

private:
    static int Answer(const char* text, const char* caption, UINT type, void* context)
    {
        auto* self = static_cast<AnsweredBoxes*>(context);
        self->boxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : "<null>", type});
        if (self->whileShown)
            self->whileShown(self->boxes.back());
        return self->answer;
    }
};

} // namespace test_support
