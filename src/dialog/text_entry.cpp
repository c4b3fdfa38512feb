#include "dialog/text_entry.hpp"

#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/pacing.hpp"
#include "app/window.hpp"

#include <array>
#include <string_view>

namespace dialog {

int caretBlink = 0;

namespace {

constexpr std::size_t kMaxBytes = 17;
constexpr int kFirstWordChar = 48;  // "0"
constexpr int kLastWordChar = 122;  // "z"
constexpr int kFirstPrintable = 32; // space
constexpr int kLastPrintable = 127;
constexpr int kCaretCycle = 6;

struct PolishLetter {
    int code;
    const char* utf8;
};

constexpr std::array<PolishLetter, 12> kPolishLetters{{
    {243, "\xC3\xB3"}, // ó
    {261, "\xC4\x85"}, // ą
    {263, "\xC4\x87"}, // ć
    {281, "\xC4\x99"}, // ę
    {321, "\xC5\x81"}, // Ł
    {322, "\xC5\x82"}, // ł
    {324, "\xC5\x84"}, // ń
    {346, "\xC5\x9A"}, // Ś
    {347, "\xC5\x9B"}, // ś
    {378, "\xC5\xBA"}, // ź
    {379, "\xC5\xBB"}, // Ż
    {380, "\xC5\xBC"}, // ż
}};

bool singleByteAccepted(int code, Charset charset) {
    if (charset == Charset::Word) {
        return code >= kFirstWordChar && code <= kLastWordChar;
    }
    return code >= kFirstPrintable && code <= kLastPrintable;
}

bool endsWithPolishLetter(const std::string& text) {
    if (text.size() < 2) {
        return false;
    }
    const std::string tail = text.substr(text.size() - 2);
    for (const PolishLetter& letter : kPolishLetters) {
        if (tail == letter.utf8) {
            return true;
        }
    }
    return false;
}

void append(std::string& text, std::string_view bytes) {
    if (text.size() + bytes.size() <= kMaxBytes) {
        for (char byte : bytes) {
            text.push_back(byte);
        }
    }
}

} // namespace

const char* polishLetter(int code) {
    for (const PolishLetter& letter : kPolishLetters) {
        if (letter.code == code) {
            return letter.utf8;
        }
    }
    return nullptr;
}

void applyKey(std::string& text, int code, Charset charset) {
    if (code == kBackspace) {
        if (!text.empty()) {
            text.erase(text.size() - (endsWithPolishLetter(text) ? 2 : 1));
        }
    } else if (singleByteAccepted(code, charset)) {
        const char byte = static_cast<char>(code);
        append(text, std::string_view(&byte, 1));
    } else if (const char* letter = polishLetter(code)) {
        append(text, letter);
    }
}

bool typedWith(const std::string& text, Charset charset) {
    if (text.empty() || text.size() > kMaxBytes) {
        return false;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + 1 < text.size() && endsWithPolishLetter(text.substr(i, 2))) {
            i += 2;
        } else if (singleByteAccepted(static_cast<unsigned char>(text[i]), charset)) {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

int nextTypedCharacter() {
    app::KeyPress press;
    return app::takeKeyPress(press) ? press.unichar : 0;
}

void forgetConfirmingKey() {
    // The typed name or password is not for the next screen to read as its keys.
    app::forgetKeys();
}

CaretPhase advanceCaret() {
    if (++caretBlink > kCaretCycle) {
        caretBlink = 0;
    }
    if (caretBlink <= 2) {
        return CaretPhase::Bright;
    }
    return caretBlink == 3 ? CaretPhase::Neither : CaretPhase::Dark;
}

void EntryPicture::show(int key, CaretPhase caret) {
    const bool caretChanged = caret != CaretPhase::Neither && caret != caret_;
    if (app::takeWindowChange() || !shown_ || key != 0 || caretChanged) {
        app::showCanvas();
        shown_ = true;
        caret_ = caret;
    }
}

void restPass(double seconds) {
    const double end = al_get_time() + seconds;
    while (app::sleepUntil(end, true) && !app::keyWaiting()) {
        // The window's close and F11 are answered while the entry waits for a key.
        app::answerWindow();
    }
}

} // namespace dialog
