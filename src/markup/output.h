// The output file of one markup document. Every byte that a markup device and
// its table writers write goes through it: it is the one place that writes to
// the file, that decides when to flush, and that knows whether a write has
// failed. It also keeps the elements left open between calls (a table, a
// row), so that the document stays well-formed whatever the order of the calls.
//
// Bytes collect in one large buffer that reaches the file in one write when it
// is full, and at the boundaries a reader of the file can see: the end of every
// content operation, the start and end of a table, a flush the caller asks for,
// the document's end, and a record end in a later second than the last write.
// Closing the document puts the file on stable storage before it answers.
// While the output is open no other writer of this process may open its file.
#pragma once

#include <cstdint>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mfreport/markup/text_codec.h"
#include "mfreport/platform/files.h"

namespace mfreport::markup {

class Output {
public:
    /// Where the bytes go instead of a file of their own: a part of a package.
    class Sink {
    public:
        virtual ~Sink() = default;
        /// Takes `size` bytes; false when they cannot be written.
        virtual bool write(const char* data, size_t size) = 0;
        /// What finish() asks of the file: false once a write has failed.
        virtual bool flush() = 0;
        /// Ends the document's bytes; false when any failed.
        virtual bool close() = 0;
    };

    /// Opens `fileName` for writing, replacing an existing file. Throws
    /// std::runtime_error with the library's "Unable to open file" text, also
    /// when another writer of this process has the file open.
    explicit Output(const std::string& fileName);
    /// Writes into `sink`, which owns the file.
    explicit Output(std::unique_ptr<Sink> sink);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output();

    /// Bytes that collect before they are written to the file in one piece.
    static constexpr size_t kBufferSize = size_t{256} << 10;

    /// Writes the pieces and a line end: fixed markup (text), numbers in
    /// decimal, and caller text marked Utf8, XmlText or XmlAttribute.
    template <class... Pieces>
    void line(const Pieces&... pieces) {
        if (closed()) {
            return;
        }
        (append(buffer_, pieces), ...);
        buffer_ += '\n';
        if (buffer_.size() >= kBufferSize) {
            drain();
        }
    }
    /// Writes fixed markup, one line per entry.
    template <class Lines>
    void lines(const Lines& table) {
        for (std::string_view text : table) {
            line(text);
        }
    }
    /// Writes text as it is, line ends included; nothing once closed.
    void put(std::string_view text) {
        if (closed()) {
            return;
        }
        if (text.size() >= kBufferSize) {
            putLarge(text);
            return;
        }
        buffer_.append(text);
        if (buffer_.size() >= kBufferSize) {
            drain();
        }
    }

    /// Ends a writing operation at a boundary a reader sees; what it wrote
    /// reaches the file. True while the file is open and no write has ever
    /// failed.
    bool finish();
    /// Ends a record: its bytes reach the file with the next full buffer, or
    /// now when a second has begun since the last write. Answers as finish().
    bool endRecord() {
        // The coarse seconds of time() cost a few nanoseconds a record.
        if (std::time(nullptr) != last_write_) {
            return finish();
        }
        return healthy();
    }
    /// The same answer as finish(), without writing anything.
    bool healthy() const { return is_open_ && !failed_ && (sink_ != nullptr || file_.good()); }
    /// True once the document is closed: from then on nothing is written.
    bool closed() const { return !is_open_; }

    /// Makes way for content at the document's own level by closing what
    /// tables left open. False, writing nothing, once the document is closed.
    bool startContent();

    /// 1, 2, 3, ... : numbers unique in the document, for element ids.
    int64_t nextId() { return ++last_id_; }

    /// The file stream, for a caller that writes to it directly: what was
    /// written before reaches it first.
    std::ofstream& stream();

    // Elements left open between calls, innermost last. An element is marked
    // once its start is written; its closing text is written when it, or an
    // element around it, is closed.
    using Mark = uint64_t;

    /// A writer that keeps back part of an element it left open (the cells
    /// of a record) and writes it when the element is closed from outside.
    class Finisher {
    public:
        /// Writes what was kept back for `mark` and closes it.
        virtual void finishOpen(Output& out, Mark mark) = 0;

    protected:
        ~Finisher() = default;
    };

    /// Marks an open element ended by `closing` (fixed markup, kept by view
    /// and not copied). When something else closes it, `finisher`, while it
    /// lives, closes it instead. Never returns 0.
    Mark open(std::string_view closing, std::weak_ptr<Finisher> finisher = {});
    bool isOpen(Mark mark) const {
        for (const OpenElement& element : open_) {
            if (element.mark == mark) {
                return true;
            }
        }
        return false;
    }
    /// Closes what was opened inside `mark`, innermost first (each by its
    /// finisher when it has one), then writes `content` and the end of
    /// `mark`. Nothing when `mark` is not open.
    void close(Mark mark, std::string_view content = {}) {
        if (innermost(mark)) {
            if (!content.empty()) {
                put(content);
            }
            put(open_.back().closing);
            open_.pop_back();
        } else {
            closeOuter(mark, content);
        }
    }
    /// Closes every open element, innermost first, each by its finisher when
    /// it has one.
    void closeAll();
    /// Closes what was opened inside `mark` as closeAll() does; `mark` stays open.
    void closeInside(Mark mark);

    // Content of the innermost open element may be appended to buffer()
    // directly: nothing else writes into an open element without closing it
    // first, and until its content is written to the file it can be taken
    // back.

    /// The bytes not yet written to the file.
    Text& buffer() { return buffer_; }
    /// True when `mark` is the innermost open element.
    bool innermost(Mark mark) const { return !open_.empty() && open_.back().mark == mark; }
    /// Where the content of the innermost element `mark` begins in buffer();
    /// kGone when it is not the innermost or part of its content has been
    /// written to the file.
    static constexpr size_t kGone = ~size_t{0};
    size_t contentStart(Mark mark) const {
        return innermost(mark) && open_.back().writes == writes_ ? open_.back().start : kGone;
    }
    /// Takes back the content of the innermost element `mark` while it is
    /// all in the buffer.
    void rewind(Mark mark) {
        const size_t start = contentStart(mark);
        if (start != kGone) {
            buffer_.truncate(start);
        }
    }

    /// Closes every open element, writes `documentEnd`, puts the file on
    /// stable storage and closes it. False when a write, the synchronisation
    /// or the close failed. A second call only answers.
    bool closeDocument(std::string_view documentEnd);

private:
    struct OpenElement {
        Mark mark;
        std::string_view closing;
        std::weak_ptr<Finisher> finisher;
        size_t start;    ///< where its content begins in the buffer
        uint64_t writes; ///< writes to the file before its content began
    };
    /// Closes the innermost open element.
    void closeInnermost();
    /// close() of an element that is not the innermost.
    void closeOuter(Mark mark, std::string_view content);
    /// Writes the buffer to the file and empties it.
    void drain();
    /// Writes the buffer and then `text`, each in one piece.
    void putLarge(std::string_view text);
    /// Writes bytes to the file or the sink; a failure is kept.
    void write(const char* data, size_t size);

    std::ofstream file_;
    std::unique_ptr<Sink> sink_; ///< instead of file_, when given
    int sync_ = -1;              ///< the file, for putting it on stable storage
    platform::FileClaim claim_;  ///< no other writer of this process opens the file
    Text buffer_;                ///< bytes not yet written to the file
    bool is_open_ = false;
    std::time_t last_write_ = 0; ///< the second of the last write to the file
    uint64_t writes_ = 0;        ///< writes to the file so far
    std::vector<OpenElement> open_;
    Mark last_ = 0;
    int64_t last_id_ = 0;
    bool failed_ = false; ///< sticky: a failed write is never forgotten
};

} // namespace mfreport::markup
