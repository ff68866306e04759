// The output file of one markup document. Every byte that a markup device and
// its table writers write goes through it: it is the one place that writes to
// the file, that decides when to flush, and that knows whether a write has
// failed. It also keeps the elements left open between calls (a table, a
// row), so that the document stays well-formed whatever the order of the calls.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mfreport/markup/text_codec.h"

namespace mfreport::markup {

class Output {
public:
    /// Opens `fileName` for writing, replacing an existing file. Throws
    /// std::runtime_error with the library's "Unable to open file" text.
    explicit Output(const std::string& fileName);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output();

    /// Writes the pieces and a line end: fixed markup (text), numbers in
    /// decimal, and caller text marked Utf8, XmlText or XmlAttribute.
    template <class... Pieces>
    void line(const Pieces&... pieces) {
        text_.clear();
        (append(text_, pieces), ...);
        text_ += '\n';
        put(text_);
    }
    /// Writes fixed markup, one line per entry.
    template <class Lines>
    void lines(const Lines& table) {
        for (std::string_view text : table) {
            line(text);
        }
    }
    /// Writes text as it is, line ends included; nothing once closed.
    void put(std::string_view text);

    /// Ends a writing operation; what it wrote reaches the file. True while
    /// the file is open and no write has ever failed.
    bool finish();
    /// The same answer as finish(), without writing anything.
    bool healthy() const { return file_.is_open() && !failed_ && file_.good(); }
    /// True once the document is closed: from then on nothing is written.
    bool closed() const { return !file_.is_open(); }

    /// Makes way for content at the document's own level by closing what
    /// tables left open. False, writing nothing, once the document is closed.
    bool startContent();

    /// 1, 2, 3, ... : numbers unique in the document, for element ids.
    int64_t nextId() { return ++last_id_; }

    /// The file stream, for a caller that writes to it directly.
    std::ofstream& stream() { return file_; }

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
    bool isOpen(Mark mark) const;
    /// Closes what was opened inside `mark`, innermost first (each by its
    /// finisher when it has one), then writes `content` and the end of
    /// `mark`. Nothing when `mark` is not open.
    void close(Mark mark, std::string_view content = {});
    /// Closes every open element, innermost first, each by its finisher when
    /// it has one.
    void closeAll();

    /// Closes every open element, writes `documentEnd` and closes the file.
    /// False when a write or the close failed. A second call only answers.
    bool closeDocument(std::string_view documentEnd);

private:
    struct OpenElement {
        Mark mark;
        std::string_view closing;
        std::weak_ptr<Finisher> finisher;
    };
    /// Closes the innermost open element.
    void closeInnermost();

    std::ofstream file_;
    std::string text_; ///< the line being built, reused
    std::vector<OpenElement> open_;
    Mark last_ = 0;
    int64_t last_id_ = 0;
    bool failed_ = false; ///< sticky: a failed write is never forgotten
};

} // namespace mfreport::markup
