// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A CUB5 counter as the R-dial's encoder drives it: answers "N2TA*" with the
// count (node 2, count A) and obeys "N2VA0*" (count A to zero). Fault modes
// let tests and trainees see what a bad cable or counter looks like.
class Cub5Simulator {
public:
    enum class Mode { Normal, Silent, Garbage };

    // Handles text from the serial line; returns the reply to send (may be
    // empty). Requests end with "*".
    std::string Receive(const std::string& bytes);

    // Handles one line typed on standard input; false for "quit".
    bool Command(const std::string& line, std::string* message);

    // The reply to a count request, 20 characters: " 2 CTA", the count
    // right-aligned in 12 characters with one decimal, CR LF.
    std::string CountReply() const;

    double Count() const;
    int ReplyDelayMs() const { return replyDelayMs_; }

private:
    double position_ = 0; // R-dial position in dial units
    double zero_ = 0;     // position at the last "N2VA0*"
    double noise_ = 0;    // amplitude of random noise on each answer
    Mode mode_ = Mode::Normal;
    int replyDelayMs_ = 26; // 9600 baud: 5 characters out, 20 back
    std::string pending_;
};
