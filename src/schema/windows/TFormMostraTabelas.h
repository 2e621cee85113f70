#pragma once

// The table chooser.

namespace fendril {}
