#pragma once

#include <string>
#include <vector>

class QLineEdit;

// A box whose text is not one plain number is read leniently, as it always has been; these say
// so on the box until it is edited.
namespace read_as {

/// Marks each box a click reads whose text is not one plain number: a warning frame and a
/// tooltip saying what it was read as, until the box is edited. The words for the status bar
/// (the first such box's, and how many more), or empty where every text was plain.
std::string mark(const std::vector<QLineEdit*>& boxes);

}  // namespace read_as
