#pragma once
// On-screen messages: one-line notices stacked up from the bottom-left corner over every screen,
// highlighted when new and gone after 180 frames.

#include <string>
#include <vector>

namespace glimmet {

struct ment {
    int tick = 0;    // frames drawn so far
    std::string txt; // the text
    int c = 0;       // the caller's code, kept with the message
};

extern std::vector<ment> MessageList; // oldest first
void InitializeMessages();

void AddMessage(const std::string& txt, int c);
void DrawMessages(); // draws, ages and retires the messages; once per frame from ShowFrame

} // namespace glimmet
