// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cub5Simulator.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

namespace {
std::mt19937& Random() {
    static std::mt19937 engine(12345);
    return engine;
}
} // namespace

double Cub5Simulator::Count() const {
    double value = position_ - zero_;
    if (noise_ > 0) {
        std::uniform_real_distribution<double> jitter(-noise_, noise_);
        value += jitter(Random());
    }
    // The counter shows positions below its zero as 359.9, 359.8, ...
    while (value < 0) {
        value += 360.0;
    }
    while (value >= 360.0) {
        value -= 360.0;
    }
    return value;
}

std::string Cub5Simulator::CountReply() const {
    char text[32];
    std::snprintf(text, sizeof text, " 2 CTA%12.1f\r\n", Count());
    return text;
}

std::string Cub5Simulator::Receive(const std::string& bytes) {
    pending_ += bytes;
    std::string reply;
    for (;;) {
        const size_t end = pending_.find('*');
        if (end == std::string::npos) {
            break;
        }
        const std::string request = pending_.substr(0, end + 1);
        pending_.erase(0, end + 1);
        if (request.find("N2TA*") != std::string::npos) {
            if (mode_ == Mode::Normal) {
                reply += CountReply();
            } else if (mode_ == Mode::Garbage) {
                reply += " 2 CTA  ERR?OVERFLW\r\n";
            }
        } else if (request.find("N2VA0*") != std::string::npos) {
            zero_ = position_;
        }
    }
    if (pending_.size() > 256) {
        pending_.clear(); // line noise without terminators
    }
    return reply;
}

bool Cub5Simulator::Command(const std::string& line, std::string* message) {
    std::istringstream in(line);
    std::string word;
    if (!(in >> word)) {
        return true;
    }
    if (word == "quit" || word == "exit") {
        return false;
    }
    if (word == "silent") {
        mode_ = Mode::Silent;
    } else if (word == "garbage") {
        mode_ = Mode::Garbage;
    } else if (word == "normal") {
        mode_ = Mode::Normal;
        replyDelayMs_ = 26;
    } else if (word == "slow") {
        int ms = 500;
        in >> ms;
        replyDelayMs_ = ms;
    } else if (word == "noise") {
        in >> noise_;
    } else {
        char* end = nullptr;
        const double position = std::strtod(word.c_str(), &end);
        if (end == word.c_str()) {
            *message = "unknown command: " + line;
            return true;
        }
        position_ = position;
        double noise = 0;
        if (in >> noise) {
            noise_ = noise;
        }
    }
    char text[96];
    std::snprintf(text, sizeof text, "dial %.1f counter %.1f", position_, Count());
    *message = text;
    return true;
}
