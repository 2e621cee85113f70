#pragma once

// The provider types loader.

namespace fendril {}
