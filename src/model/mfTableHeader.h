// Description of a table: name (also its anchor), heading, heading level and notes.
#pragma once

#include <string>

#include "mfreport/platform/mfTypes.h"

class mfTableHeader {
public:
    mfTableHeader(const std::string& name, const std::string& description, int heading_level);
    mfTableHeader(const mfTableHeader&) = default;
    mfTableHeader& operator=(const mfTableHeader&) = default;
    virtual ~mfTableHeader();

    virtual const std::string& name() const;
    virtual const std::string& description() const;
    /// Appends every note, in the order added, to `notes`; returns the list's new size.
    virtual int getNotes(List<std::string>& notes) const;
    virtual void setDescription(const std::string& description);
    virtual void addNote(const std::string& note);
    virtual int heading_level() const;

private:
    std::string name_;
    std::string description_;
    List<std::string> notes_;
    int heading_level_;
};
