// A well-formedness checker for the documents the markup kinds write: UTF-8
// throughout, XML 1.0 characters only, one root element, tags that nest and
// match, unique attributes, entity and character references that resolve.
// No DTD is read; the entities a document may use besides the five
// predefined ones are named by the caller.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace mffuzz {

/// "" when `document` is well-formed, otherwise what is wrong and where.
/// `entities` are the names allowed in entity references besides amp, lt,
/// gt, quot and apos; an element named in `unnested` may not stand inside
/// another of its name (a row inside a row is well-formed, but no table).
std::string xmlProblem(std::string_view document, const std::set<std::string>& entities = {},
                       const std::set<std::string>& unnested = {});

} // namespace mffuzz
