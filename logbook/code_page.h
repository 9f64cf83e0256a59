#pragma once
// The program's text is single-byte Windows-1252.
namespace vl::logbook {

// The Windows-1252 capital of `c`: a-z, à-þ (except ÷) and š, œ, ž, ÿ; every
// other character comes back unchanged (ß and µ have no single-byte capital).
char upperCp1252(char c);

}  // namespace vl::logbook
