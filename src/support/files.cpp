#include "mfreport/support/files.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "mfreport/platform/files.h"
#include "mfreport/record/fixed_text.h"
#include "mfreport/record/record_io.h"

namespace mfreport::support {

namespace {

using record::OpenAccess;
using record::OpenAction;
using record::OpenRequest;
using record::OpenStatus;

std::string_view trimmed(std::string_view text) {
    return text.substr(0, static_cast<size_t>(record::trimmedLength(text)));
}

// Reads the form word into the request; false when it is not understood.
bool readForm(std::string_view word, OpenRequest& request, int32_t& iostat) {
    record::FixedString<20> form(word);
    const int32_t equals = record::findText(form, "=");
    if (equals > 0) {
        const std::string_view digits =
            std::string_view(form).substr(static_cast<size_t>(equals), 4);
        const int32_t status = record::readInteger(digits, request.record_length);
        if (status != record::kIoOk) {
            iostat = status;
            return false;
        }
        record::FixedText(form).sub(equals, form.size()).blank();
    }
    if (record::textEqual(form, "FORMATTED")) {
        request.form = record::OpenForm::Formatted;
    } else if (record::textEqual(form, "UNFORMATTED") ||
               record::textEqual(form, "IEEE-UNFORMATTED")) {
        request.form = record::OpenForm::Unformatted;
    } else {
        iostat = record::kIoBadFormWord;
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
        iostat = record::kIoNameTooLong;
        return;
    }

    OpenRequest request;
    request.unit = unit;
    request.file = fullName;
    const record::FixedString<10> word(status);
    bool backup = false;
    if (record::textEqual(word, "OLD")) {
        request.status = OpenStatus::Old;
    } else if (record::textEqual(word, "READ")) {
        request.status = OpenStatus::Old;
        request.action = OpenAction::Read;
    } else if (record::textEqual(word, "APPEND")) {
        request.status = OpenStatus::Old;
        request.access = OpenAccess::Append;
    } else if (record::textEqual(word, "NEW") || record::textEqual(word, "PRINT")) {
        request.status = OpenStatus::New;
        backup = true;
    } else if (record::textEqual(word, "SCRATCH")) {
        request.status = OpenStatus::Scratch;
        request.file.clear();
    } else if (record::textEqual(word, "UNKNOWN")) {
        request.status = OpenStatus::Unknown;
    } else {
        return;
    }
    if (!readForm(form, request, iostat)) {
        return;
    }

    // A file that another writer of this process is writing is neither moved
    // aside nor opened (the unit's own file is closed first, as opening does).
    record::closeUnit(unit);
    if (!request.file.empty() && request.action != OpenAction::Read &&
        platform::FileClaim::claimed(request.file)) {
        iostat = record::kIoOpenFailed;
        return;
    }
    if (backup && !fullName.empty()) {
        int32_t backupStatus = 0;
        BAKFIL(fullName, fullName + ".bak", backupStatus);
    }
    iostat = record::openUnit(request);
    if (iostat == record::kIoOk && request.access != OpenAccess::Append) {
        iostat = record::rewindUnit(unit);
    }
}

void OPNPRT(int32_t unit, std::string_view directory, std::string_view name,
            std::string_view extension, std::string_view status, int32_t& iostat) {
    const std::string_view word = record::textEqual(status, "NEW") ? "PRINT" : status;
    OPNFIL(unit, directory, name, extension, word, "FORMATTED", iostat);
}

void CLSFIL(int32_t unit, int32_t& iostat) {
    iostat = record::closeUnit(unit);
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
