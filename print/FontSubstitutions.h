#pragma once

// Maps the font families that layouts name (Windows families such as 宋体 and Courier New) to
// installed ones: 宋体 to the Song-style "AR PL UMing CN", Courier New to a monospaced family.
// Call once after the application object exists, before anything is rendered.
void installFontSubstitutions();
