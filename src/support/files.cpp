#include "support/files.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "print/fixed_text.h"
#include "print/record_io.h"

namespace mfreport::support {

namespace {

using print::OpenAccess;
using print::OpenAction;
using print::OpenRequest;
using print::OpenStatus;

std::string_view trimmed(std::string_view text) {
    return text.substr(0, static_cast<size_t>(print::trimmedLength(text)));
}

// Reads the form word into the request; false when it is not understood.
bool readForm(std::string_view word, OpenRequest& request, int32_t& iostat) {
    print::FixedString<20> form(word);
    const int32_t equals = print::findText(form, "=");
    if (equals > 0) {
        const std::string_view digits =
            std::string_view(form).substr(static_cast<size_t>(equals), 4);
        const int32_t status = print::readInteger(digits, request.record_length);
        if (status != print::kIoOk) {
            iostat = status;
            return false;
        }
        print::FixedText(form).sub(equals, form.size()).blank();
    }
    if (print::textEqual(form, "FORMATTED")) {
        request.form = print::OpenForm::Formatted;
    } else if (print::textEqual(form, "UNFORMATTED") ||
               print::textEqual(form, "IEEE-UNFORMATTED")) {
        request.form = print::OpenForm::Unformatted;
    } else {
        iostat = print::kIoBadFormWord;
        return false;
    }
    return true;
}

} // namespace

void OPNFIL(int32_t unit, std::string_view directory, std::string_view name,
            std::string_view extension, std::string_view status, std::string_view form,
            int32_t& iostat) {
    std::string fullName(trimmed(directory));
    fullName += trimmed(name);
    fullName += trimmed(extension);
    if (fullName.size() > static_cast<size_t>(kMaxFileName)) {
        iostat = print::kIoNameTooLong;
        return;
    }

    OpenRequest request;
    request.unit = unit;
    request.file = fullName;
    const print::FixedString<10> word(status);
    bool backup = false;
    if (print::textEqual(word, "OLD")) {
        request.status = OpenStatus::Old;
    } else if (print::textEqual(word, "READ")) {
        request.status = OpenStatus::Old;
        request.action = OpenAction::Read;
    } else if (print::textEqual(word, "APPEND")) {
        request.status = OpenStatus::Old;
        request.access = OpenAccess::Append;
    } else if (print::textEqual(word, "NEW") || print::textEqual(word, "PRINT")) {
        request.status = OpenStatus::New;
        backup = true;
    } else if (print::textEqual(word, "SCRATCH")) {
        request.status = OpenStatus::Scratch;
        request.file.clear();
    } else if (print::textEqual(word, "UNKNOWN")) {
        request.status = OpenStatus::Unknown;
    } else {
        return;
    }
    if (!readForm(form, request, iostat)) {
        return;
    }

    if (backup && !fullName.empty()) {
        int32_t backupStatus = 0;
        BAKFIL(fullName, fullName + ".bak", backupStatus);
    }
    iostat = print::openUnit(request);
    if (iostat == print::kIoOk && request.access != OpenAccess::Append) {
        iostat = print::rewindUnit(unit);
    }
}

void OPNPRT(int32_t unit, std::string_view directory, std::string_view name,
            std::string_view extension, std::string_view status, int32_t& iostat) {
    const std::string_view word = print::textEqual(status, "NEW") ? "PRINT" : status;
    OPNFIL(unit, directory, name, extension, word, "FORMATTED", iostat);
}

void CLSFIL(int32_t unit, int32_t& iostat) {
    iostat = print::closeUnit(unit);
}

void BAKFIL(std::string_view old_name, std::string_view new_name, int32_t& iostat) {
    const std::string_view from = trimmed(old_name);
    const std::string_view to = trimmed(new_name);
    if (from.size() > static_cast<size_t>(kMaxFileName) ||
        to.size() > static_cast<size_t>(kMaxFileName)) {
        iostat = -2;
        return;
    }
    const std::string oldPath(from);
    const std::string newPath(to);
    std::error_code ec;
    const bool exists = std::filesystem::exists(oldPath, ec);
    if (ec) {
        iostat = 0; // the existence test itself failed
        return;
    }
    if (!exists) {
        iostat = 1;
        return;
    }
    if (std::filesystem::exists(newPath, ec)) {
        std::remove(newPath.c_str());
    }
    iostat = std::rename(oldPath.c_str(), newPath.c_str()) == 0 ? 0 : -1;
}

} // namespace mfreport::support
