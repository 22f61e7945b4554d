// What the plug-in relies on from the platform seam (src/platform/*.h), written
// once as a table: each case drives the seam and describes what it answered;
// the table holds the answer Windows gives. The same table runs natively
// against the simulated platform and under Wine against the Win32 adapter, so
// a difference between the two shows up as a case that fails on one side.
#pragma once

#include "platform/types.h"

#include <string>
#include <type_traits>
#include <vector>

namespace tg::conformance {

// What a case needs that the seam does not offer: the system's message loop,
// the user, and the file system outside the plug-in. Each platform's runner
// provides its own.
class Surroundings {
public:
    virtual ~Surroundings() = default;
    // The module holding the dialog templates.
    virtual HINSTANCE module() = 0;
    // Runs posted messages, and sends from other threads waiting for this one.
    virtual void pumpMessages() = 0;
    // Pumps until done() or about five seconds passed; whether done() held.
    virtual bool pumpUntil(bool (*done)()) = 0;
    // An empty folder of its own (a Windows path, no trailing backslash).
    virtual std::string scratchFolder() = 0;
    // Marks an existing file or folder hidden.
    virtual void hide(const std::string& windowsPath) = 0;
    // Tracks popup for owner as the system's menu loop does; the user moves
    // onto the item at position and left-clicks it. Returns once the loop has
    // ended and the messages it left were pumped.
    virtual void clickTrackedItem(HWND owner, HMENU popup, int position) = 0;
};

// The answers of one case as "name=value" pairs, in the order observed.
class Observed {
public:
    template <typename T>
    Observed& operator()(const char* name, T value) requires std::is_integral_v<T> {
        return add(name, std::to_string(static_cast<long long>(value)));
    }
    Observed& operator()(const char* name, const std::string& text);
    Observed& operator()(const char* name, const char* text);
    // A word of its own, for a fact without a value.
    Observed& note(const std::string& word);
    // Flags and handles-as-numbers, in hexadecimal.
    Observed& hex(const char* name, unsigned long long value);
    const std::string& text() const { return text_; }

private:
    Observed& add(const char* name, const std::string& value);
    std::string text_;
};

struct SeamCase {
    const char* area; // menus, windows, input, dialogs, files
    const char* name;
    std::string (*run)(Surroundings&);
    const char* expected;
    // The simulated platform reports this use as misuse (Windows lets it pass
    // silently); its faults are then expected rather than failures.
    bool misuse = false;
};

std::vector<SeamCase> menuCases();
std::vector<SeamCase> windowCases();
std::vector<SeamCase> inputCases();
std::vector<SeamCase> dialogCases();
std::vector<SeamCase> fileCases();

// Every case, area by area.
std::vector<SeamCase> seamCases();

} // namespace tg::conformance
