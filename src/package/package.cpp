#include "mfreport/package/package.h"

#include <minizip/zip.h>

#include <algorithm>
#include <stdexcept>

#include "mfreport/platform/clock.h"
#include "mfreport/platform/files.h"

namespace mfreport::package {

namespace {

std::runtime_error unableToOpen(const std::string& fileName) {
    return std::runtime_error("Unable to open file " + fileName +
                              ".\nIs file locked by another program or an illegal filename "
                              "specified ?");
}

constexpr std::string_view xmlDeclaration =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)";

constexpr std::string_view contentTypesStart[] = {
    xmlDeclaration,
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)",
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)",
    R"(<Default Extension="xml" ContentType="application/xml"/>)",
};
constexpr std::string_view contentTypesEnd = "</Types>";

constexpr std::string_view relationshipsStart[] = {
    xmlDeclaration,
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)",
};
constexpr std::string_view relationshipsEnd = "</Relationships>";

constexpr std::string_view coreStart[] = {
    xmlDeclaration,
    R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties")"
    R"( xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/")"
    R"( xmlns:dcmitype="http://purl.org/dc/dcmitype/" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)",
};
constexpr std::string_view coreEnd = "</cp:coreProperties>";

constexpr std::string_view appStart[] = {
    xmlDeclaration,
    R"(<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties")"
    R"( xmlns:vt="http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes">)",
};
constexpr std::string_view appEnd = "</Properties>";

template <class Lines>
void appendLines(std::string& out, const Lines& lines) {
    for (std::string_view line : lines) {
        out += line;
        out += '\n';
    }
}

void appendLine(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        out += piece;
    }
    out += '\n';
}

// "2026-12-05T10:22:07Z": a UTC time to the second, with the zone designator
// that a date-time of this profile requires.
std::string w3cdtf(const platform::CivilTime& t) {
    char text[32];
    const auto two = [](char* p, int32_t v) {
        p[0] = static_cast<char>('0' + v / 10 % 10);
        p[1] = static_cast<char>('0' + v % 10);
    };
    int32_t year = std::clamp<int32_t>(t.year, 0, 9999);
    for (int i = 3; i >= 0; --i, year /= 10) {
        text[i] = static_cast<char>('0' + year % 10);
    }
    text[4] = '-';
    two(text + 5, t.month);
    text[7] = '-';
    two(text + 8, t.day);
    text[10] = 'T';
    two(text + 11, t.hour);
    text[13] = ':';
    two(text + 14, t.minute);
    text[16] = ':';
    two(text + 17, t.second);
    text[19] = 'Z';
    return std::string(text, 20);
}

} // namespace

/// The ZIP file: its descriptor, the claim on it and the writer over it.
struct Package::File {
    int fd = -1;
    platform::FileClaim claim;
    zipFile zip = nullptr;
    zip_fileinfo info{};
    int level = kLevel;
    bool failed = false; ///< sticky: a failed write is never forgotten
    bool inPart = false;
    bool open = false;

    // The writer's file operations, on the descriptor opened already.
    static voidpf ZCALLBACK openFile(voidpf opaque, const void*, int) { return opaque; }
    static uLong ZCALLBACK readFile(voidpf, voidpf, void*, uLong) { return 0; }
    // A failed write is kept here and not told to the writer: its error paths
    // would leave memory behind, and nothing written after a failure counts.
    static uLong ZCALLBACK writeFile(voidpf opaque, voidpf, const void* data, uLong size) {
        auto* file = static_cast<File*>(opaque);
        if (!file->failed && !platform::writeAll(file->fd, static_cast<const char*>(data), size)) {
            file->failed = true;
        }
        return size;
    }
    static ZPOS64_T ZCALLBACK tellFile(voidpf opaque, voidpf) {
        const int64_t at = platform::seekFile(static_cast<File*>(opaque)->fd, 0, 1);
        return at >= 0 ? static_cast<ZPOS64_T>(at) : static_cast<ZPOS64_T>(-1);
    }
    static long ZCALLBACK seekFile(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
        auto* file = static_cast<File*>(opaque);
        const int whence = origin == ZLIB_FILEFUNC_SEEK_SET   ? 0
                           : origin == ZLIB_FILEFUNC_SEEK_CUR ? 1
                                                              : 2;
        if (platform::seekFile(file->fd, static_cast<int64_t>(offset), whence) < 0) {
            file->failed = true;
            return -1;
        }
        return 0;
    }
    static int ZCALLBACK closeZip(voidpf, voidpf) { return 0; }
    static int ZCALLBACK testError(voidpf opaque, voidpf) {
        return static_cast<File*>(opaque)->failed ? 1 : 0;
    }

    bool healthy() const { return open && !failed; }

    bool check(int result) {
        if (result != ZIP_OK) {
            failed = true;
        }
        return healthy();
    }
};

Package::Package(const std::string& fileName, int level) : file_(std::make_unique<File>()) {
    // Opening would cut short the file of a report still being written.
    if (platform::FileClaim::claimed(fileName)) {
        throw unableToOpen(fileName);
    }
    File& f = *file_;
    f.fd = platform::createFile(fileName);
    if (f.fd < 0) {
        throw unableToOpen(fileName);
    }
    const std::optional<platform::FileId> id = platform::fileIdOf(f.fd);
    if (id && !f.claim.take(*id)) {
        platform::closeFile(f.fd);
        throw unableToOpen(fileName);
    }
    zlib_filefunc64_def io{};
    io.zopen64_file = File::openFile;
    io.zread_file = File::readFile;
    io.zwrite_file = File::writeFile;
    io.ztell64_file = File::tellFile;
    io.zseek64_file = File::seekFile;
    io.zclose_file = File::closeZip;
    io.zerror_file = File::testError;
    io.opaque = &f;
    f.zip = zipOpen2_64(fileName.c_str(), APPEND_STATUS_CREATE, nullptr, &io);
    if (f.zip == nullptr) {
        platform::closeFile(f.fd);
        throw unableToOpen(fileName);
    }
    f.level = std::clamp(level, 0, 9);
    // Every entry carries the library clock's time; MS-DOS times run from 1980.
    const platform::CivilTime t = platform::now();
    f.info.tmz_date.tm_year = static_cast<uInt>(std::clamp<int32_t>(t.year, 1980, 2107));
    f.info.tmz_date.tm_mon = static_cast<uInt>(t.month - 1);
    f.info.tmz_date.tm_mday = static_cast<uInt>(t.day);
    f.info.tmz_date.tm_hour = static_cast<uInt>(t.hour);
    f.info.tmz_date.tm_min = static_cast<uInt>(t.minute);
    f.info.tmz_date.tm_sec = static_cast<uInt>(t.second);
    f.open = true;
}

Package::~Package() {
    close();
}

bool Package::healthy() const {
    return file_->healthy();
}

bool Package::closed() const {
    return !file_->open;
}

bool Package::beginPart(std::string_view name, bool large) {
    File& f = *file_;
    if (!endPart()) {
        return false;
    }
    const std::string entry(name);
    if (!f.check(zipOpenNewFileInZip4_64(f.zip, entry.c_str(), &f.info, nullptr, 0, nullptr, 0,
                                         nullptr, Z_DEFLATED, f.level, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                         Z_DEFAULT_STRATEGY, nullptr, 0, 0, 0, large ? 1 : 0))) {
        return false;
    }
    f.inPart = true;
    return true;
}

bool Package::write(std::string_view bytes) {
    File& f = *file_;
    if (!f.healthy() || !f.inPart) {
        return false;
    }
    constexpr size_t kPiece = size_t{1} << 30;
    while (!bytes.empty() && f.healthy()) {
        const size_t piece = std::min(bytes.size(), kPiece);
        f.check(zipWriteInFileInZip(f.zip, bytes.data(), static_cast<unsigned>(piece)));
        bytes.remove_prefix(piece);
    }
    return f.healthy();
}

bool Package::endPart() {
    File& f = *file_;
    if (!f.healthy()) {
        return false;
    }
    if (f.inPart) {
        f.inPart = false;
        return f.check(zipCloseFileInZip(f.zip));
    }
    return true;
}

bool Package::addPart(std::string_view name, std::string_view content) {
    return beginPart(name) && write(content) && endPart();
}

bool Package::close() {
    File& f = *file_;
    if (f.open) {
        if (f.inPart) {
            f.inPart = false;
            f.check(zipCloseFileInZip(f.zip));
        }
        // The central directory makes the file a ZIP: written even after a
        // failure, so that the writer lets go of what it holds.
        if (zipClose(f.zip, nullptr) != ZIP_OK) {
            f.failed = true;
        }
        f.zip = nullptr;
        if (!platform::syncToDisk(f.fd)) {
            f.failed = true;
        }
        if (!platform::closeFile(f.fd)) {
            f.failed = true;
        }
        f.fd = -1;
        f.claim.release();
        f.open = false;
    }
    return !f.failed;
}

std::string contentTypes(const std::vector<PartType>& overrides) {
    std::string out;
    appendLines(out, contentTypesStart);
    for (const PartType& part : overrides) {
        appendLine(out, {R"(<Override PartName="/)", part.name, R"(" ContentType=")",
                         part.contentType, R"("/>)"});
    }
    appendLine(out, {contentTypesEnd});
    return out;
}

std::string relationships(const std::vector<Relationship>& relations) {
    std::string out;
    appendLines(out, relationshipsStart);
    for (const Relationship& r : relations) {
        appendLine(out, {R"(<Relationship Id=")", r.id, R"(" Type=")", r.type, R"(" Target=")",
                         r.target, R"("/>)"});
    }
    appendLine(out, {relationshipsEnd});
    return out;
}

std::string coreProperties(std::string_view creatorXml, std::string_view titleXml) {
    const std::string when = w3cdtf(platform::nowUtc());
    std::string out;
    appendLines(out, coreStart);
    appendLine(out, {"<dc:title>", titleXml, "</dc:title>"});
    appendLine(out, {"<dc:creator>", creatorXml, "</dc:creator>"});
    appendLine(out, {R"(<dcterms:created xsi:type="dcterms:W3CDTF">)", when, "</dcterms:created>"});
    appendLine(out,
               {R"(<dcterms:modified xsi:type="dcterms:W3CDTF">)", when, "</dcterms:modified>"});
    appendLine(out, {coreEnd});
    return out;
}

std::string appProperties(std::string_view applicationXml) {
    std::string out;
    appendLines(out, appStart);
    appendLine(out, {"<Application>", applicationXml, "</Application>"});
    appendLine(out, {appEnd});
    return out;
}

} // namespace mfreport::package
