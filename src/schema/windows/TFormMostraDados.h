#pragma once

// The table data window.

namespace fendril {}
