// Marks the declarations that libnvplatform.so exports; everything else stays hidden.
#pragma once

#define PLATFORM_API __attribute__((visibility("default")))
