// Date, time and login-name values as they appear in report title blocks.
#pragma once

#include <iosfwd>
#include <string>

/// Today's date, taken from the library clock at construction: "06-DEC-2026".
class mfDate {
public:
    mfDate();
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

/// The time of day, taken from the library clock at construction: "19:52:07".
class mfTime {
public:
    mfTime();
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

/// The login name of the user running the program; "unknown" when the
/// operating system cannot tell.
class mfUserName {
public:
    mfUserName();
    const std::string& text() const { return name_; }

private:
    std::string name_;
};

std::ostream& operator<<(std::ostream& os, const mfDate& date);
std::ostream& operator<<(std::ostream& os, const mfTime& time);
std::ostream& operator<<(std::ostream& os, const mfUserName& user);
