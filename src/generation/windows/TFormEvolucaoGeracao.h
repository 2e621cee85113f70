#pragma once

// The progress window of a generation run.

namespace fendril {}
