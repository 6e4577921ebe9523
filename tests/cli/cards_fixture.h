// An address book with one card in each exporter's style, and the packs snapfold makes from it.
#pragma once

#include "tests/support/cli_runner.h"
#include "tests/support/test_files.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// book.vcf, face.jpg and cat.png (the photos its cards hold), and empty.bin, a pack of empty
// slots. Card 3's photo carries a crop; card 10 cannot be read.
void WriteAddressBook(const TempDir& dir);

// Runs snapfold in dir.
CliRun Snapfold(const TempDir& dir, const std::vector<std::string>& args);

// empty.bin's bytes after snapfold set SLOT --id ID with the given picture arguments, made in a
// copy; the run's failure fails the test.
Bytes PackAfterSet(const TempDir& dir, const std::vector<std::string>& pictureArgs);
