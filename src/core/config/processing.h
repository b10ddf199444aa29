#pragma once
// Processing methods of an RF description: the three-letter code "EGI"
// (position 1 'E' enabled, 2 'G' Gray decoding, 3 'I' invert the first data bit; only the
// upper-case letters switch a step on, anything else is off) and its application to the
// decoded data bits.

#include <string>
#include <string_view>

#include "common/result.h"

namespace vornlfrf::config {

constexpr const char* kProcessingOff = "egi";  // the value of an empty or missing code

// The decoder's transformation, applied to the data bit text D of each frame. Returns D
// unchanged when it has fewer than 2 characters or position 1 is not 'E'. Allocates only the
// returned string.
std::string ApplyProcessing(std::string_view code, const std::string& bits);
// Same, in place on the caller's buffer; never allocates.
void ApplyProcessingInPlace(std::string_view code, std::string& bits);

// "" -> "egi"; any other code unchanged.
std::string NormaliseProcessing(const std::string& code);

// Readers of the (normalised) code; a position missing from a short code reads as off.
bool ProcessingEnabled(std::string_view code);      // position 1 == 'E' (grbProcessing)
bool ProcessingGray(std::string_view code);         // position 2 == 'G' (chkDecodeGray)
bool ProcessingInvertFirst(std::string_view code);  // position 3 == 'I' (chkInvertFirstBit)

// Text of lblMethodProcessing: "- Gray Decoding" and/or "- Invert 1st Data bit" joined by
// "\n", or "None".
std::string ProcessingSummary(const std::string& code);

// Group check box: the normalised code with position 1 set to 'E' or 'e'; other positions and
// the length are kept.
std::string SetProcessingEnabled(const std::string& code, bool enabled);

// Dialog Save: the normalised code with position 2 = 'G'/'g' and position 3 = 'I'/'i';
// position 1 unchanged. A code shorter than 3 is first completed with the missing letters of
// "egi" (the analysis refuses such a code anyway; the editor repairs it here).
std::string SetProcessingSteps(const std::string& code, bool gray, bool invertFirst);

// Analysis check: empty counts as "egi"; any length other than 3 fails with
// "Syntax error with Processing method".
Status CheckProcessingCode(const std::string& code);

}  // namespace vornlfrf::config
