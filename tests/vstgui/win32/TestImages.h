// Resource numbers of the test images (see make_test_images.py for their pixels).
#pragma once

constexpr int kAlphaPng = 201;  ///< 4 × 2, RGBA
constexpr int kOpaquePng = 202; ///< 3 × 2, RGB
constexpr int kKeyedBmp = 203;  ///< 4 × 2, 24-bit bitmap with white as the colour key
