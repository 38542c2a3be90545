#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The files of a bundle, a Qt binary resource file (as `rcc --binary`
// writes it), by path ("RAWDATA/IDX_PMB"), uncompressed.
using BundleEntries = std::map<std::string, std::vector<std::uint8_t>>;

// The largest bundle file and the most its files may hold uncompressed, far
// above what a device picture needs.
inline constexpr std::size_t MAX_BUNDLE_BYTES = 64u << 20;

// Reads every file of the bundle, checking the header, every node of the
// tree, every name and every data range against the bytes there are, and
// uncompressing each file in full. A bundle with any fault gives false and
// no entries: nothing of a damaged bundle is ever used.
bool ReadBundleEntries(const std::uint8_t *data, std::size_t size, BundleEntries &entries);

// Reads the bundle file at path (as the bytes the system gives) whole and
// its files as ReadBundleEntries does; false when it cannot be read or is
// larger than MAX_BUNDLE_BYTES.
bool ReadBundleFile(const std::string &path, BundleEntries &entries);
