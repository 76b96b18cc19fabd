// Reading the parts of an assembly: [Part NAME] sections, each located on another part by its datum
// features and its seat, or the two sections [Object] and [Target], which make the object located
// on the target. The relations "located on" are checked and ordered from the base.
#pragma once

#include <string>

#include "input/layout.hpp"
#include "model/scheme.hpp"

namespace rkdatum {

// Fills `scheme.parts` and `scheme.sets` (and `classic`, `world_base`).
void read_parts(const std::string& file, const FileLayout& layout, Scheme& scheme);

// The part named `name` (blanks and case as the file may give them); parts.size() when none is.
std::size_t find_part(const Scheme& scheme, const std::string& name);

// "plate, bracket and sensor", for messages.
std::string part_list(const Scheme& scheme);

}  // namespace rkdatum
