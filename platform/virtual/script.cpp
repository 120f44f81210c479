#include "platform/virtual/script.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/user32.h"
#include "platform/virtual/settings.h"

namespace platform::virtual_display {

namespace {

constexpr std::uint64_t kMaxClientPixel = 32767;

struct NamedKey {
    const char* name;
    unsigned vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"space", VK_SPACE}, {"BackSpace", VK_BACK},
    {"Tab", VK_TAB},       {"Left", VK_LEFT},     {"Right", VK_RIGHT}, {"Up", VK_UP},
    {"Down", VK_DOWN},     {"Home", VK_HOME},     {"End", VK_END},     {"Prior", VK_PRIOR},
    {"Next", VK_NEXT},     {"Delete", VK_DELETE},
};

bool LookUpKeyName(const std::string& name, ScriptKey* key) {
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) {
            key->vk = named.vk;
            return true;
        }
    }
    if (name.size() == 1) {
        const char c = name[0];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
            // X names the upper-case letter keysym separately; it is the letter key with Shift.
            key->vk = static_cast<unsigned>(c);
            key->shift = key->shift || (c >= 'A' && c <= 'Z');
            return true;
        }
        if (c >= 'a' && c <= 'z') {
            key->vk = static_cast<unsigned>(c - 'a' + 'A');
            return true;
        }
    }
    std::uint64_t number = 0;
    if (name.size() >= 2 && name[0] == 'F' && ParseUnsigned(name.substr(1), 12, &number) && number >= 1 &&
        name[1] != '0') {
        key->vk = VK_F1 + static_cast<unsigned>(number) - 1;
        return true;
    }
    return false;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

// Parses one line's words; *error gets the reason without the line prefix.
class LineParser {
public:
    LineParser(std::vector<std::string> words, std::string* error) : words_(std::move(words)), error_(error) {}

    bool Parse(Script* script) {
        const std::string command = Next();
        if (command == "dialog") {
            DialogAction action;
            return ParseDialogEvent(&action) && AtEnd() && (script->dialog.push_back(action), true);
        }
        OutputAction action;
        if (command == "at") {
            action.trigger = OutputAction::Trigger::AtFrame;
            if (!Number("frame number", UINT64_MAX, &action.frame)) {
                return false;
            }
        } else if (command == "wait") {
            action.trigger = OutputAction::Trigger::AfterWait;
            if (!Number("wait in ms", UINT64_MAX, &action.waitMs)) {
                return false;
            }
        } else {
            return Fail("unknown command '" + command + "' (expected dialog, at or wait)");
        }
        return ParseOutputEvent(&action) && AtEnd() && (script->output.push_back(action), true);
    }

private:
    std::string Next() { return position_ < words_.size() ? words_[position_++] : std::string(); }

    bool Fail(const std::string& message) {
        *error_ = message;
        return false;
    }

    bool Missing(const std::string& what) { return Fail("missing " + what); }

    bool AtEnd() { return position_ >= words_.size() || Fail("unexpected '" + words_[position_] + "' at end of line"); }

    bool Number(const std::string& what, std::uint64_t maxValue, std::uint64_t* value) {
        if (position_ >= words_.size()) {
            return Missing(what);
        }
        const std::string word = Next();
        return ParseUnsigned(word, maxValue, value) ||
               Fail("'" + word + "' is not a valid " + what + " (a whole number from 0 to " +
                    std::to_string(maxValue) + ")");
    }

    bool Key(ScriptKey* key) {
        if (position_ >= words_.size()) {
            return Missing("key name");
        }
        return ParseKey(Next(), key, error_);
    }

    bool Point(int* x, int* y) {
        std::uint64_t px = 0, py = 0;
        if (!Number("x coordinate", kMaxClientPixel, &px) || !Number("y coordinate", kMaxClientPixel, &py)) {
            return false;
        }
        *x = static_cast<int>(px);
        *y = static_cast<int>(py);
        return true;
    }

    bool ParseDialogEvent(DialogAction* action) {
        const std::string event = Next();
        using Kind = DialogAction::Kind;
        if (event == "key") {
            action->kind = Kind::Key;
            return Key(&action->key);
        }
        if (event == "click" || event == "dblclick") {
            action->kind = event == "click" ? Kind::Click : Kind::DoubleClick;
            return Point(&action->x, &action->y);
        }
        if (event == "close") {
            action->kind = Kind::Close;
            return true;
        }
        if (event.empty()) {
            return Missing("dialog event (key, click, dblclick or close)");
        }
        return Fail("unknown dialog event '" + event + "' (expected key, click, dblclick or close)");
    }

    bool ParseOutputEvent(OutputAction* action) {
        const std::string event = Next();
        using Kind = OutputAction::Kind;
        struct Simple {
            const char* name;
            Kind kind;
        };
        static constexpr Simple kSimple[] = {{"deactivate", Kind::Deactivate},     {"activate", Kind::Activate},
                                             {"lose-device", Kind::LoseDevice},    {"restore-device", Kind::RestoreDevice},
                                             {"close", Kind::Close}};
        for (const Simple& simple : kSimple) {
            if (event == simple.name) {
                action->kind = simple.kind;
                return true;
            }
        }
        if (event == "key") {
            action->kind = Kind::Key;
            return Key(&action->key);
        }
        if (event == "click") {
            action->kind = Kind::Click;
            const std::string button = Next();
            if (button == "left" || button == "right") {
                action->button = button == "left" ? 0 : 1;
                return true;
            }
            return button.empty() ? Missing("mouse button (left or right)")
                                  : Fail("unknown mouse button '" + button + "' (expected left or right)");
        }
        if (event == "stall") {
            action->kind = Kind::Stall;
            return Number("stall in ms", UINT64_MAX / 1000, &action->stallMs);
        }
        const std::string expected =
            "(expected key, click, stall, deactivate, activate, lose-device, restore-device or close)";
        return event.empty() ? Missing("event " + expected) : Fail("unknown event '" + event + "' " + expected);
    }

    std::vector<std::string> words_;
    std::size_t position_ = 0;
    std::string* error_;
};

}  // namespace

bool ParseKey(const std::string& text, ScriptKey* key, std::string* error) {
    *key = ScriptKey{};
    std::string rest = text;
    while (true) {
        if (rest.rfind("alt+", 0) == 0 && rest.size() > 4) {
            if (key->alt) {
                *error = "key '" + text + "' repeats alt+";
                return false;
            }
            key->alt = true;
            rest.erase(0, 4);
        } else if (rest.rfind("shift+", 0) == 0 && rest.size() > 6) {
            if (key->shift) {
                *error = "key '" + text + "' repeats shift+";
                return false;
            }
            key->shift = true;
            rest.erase(0, 6);
        } else {
            break;
        }
    }
    if (!LookUpKeyName(rest, key)) {
        *error = "unknown key '" + rest + "'";
        return false;
    }
    return true;
}

bool ParseScript(const std::string& text, Script* script, std::string* error) {
    *script = Script{};
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const auto hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        std::vector<std::string> words = Words(line);
        if (words.empty()) {
            continue;
        }
        std::string reason;
        if (!LineParser(std::move(words), &reason).Parse(script)) {
            *error = "OSTRIVAN_SCRIPT line " + std::to_string(number) + ": " + reason;
            return false;
        }
    }
    return true;
}

bool LoadScript(const std::string& path, Script* script, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text;
    int readError = 0;
    if (file == nullptr) {
        readError = errno;
    } else {
        char buffer[4096];
        std::size_t count = 0;
        errno = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, count);
        }
        if (std::ferror(file)) {
            readError = errno != 0 ? errno : EIO;
        }
        std::fclose(file);
    }
    if (readError != 0) {
        *error = "OSTRIVAN_SCRIPT: cannot read '" + path + "': " + std::strerror(readError);
        return false;
    }
    return ParseScript(text, script, error);
}

}  // namespace platform::virtual_display
