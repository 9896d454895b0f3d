#pragma once

// Where standin_writer puts its values, under HKEY_LOCAL_MACHINE.
inline constexpr const char* kWriterKey = "Software\\MarovelTest\\Writer";
