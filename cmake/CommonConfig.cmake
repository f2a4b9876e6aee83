# Options shared by every target of the project: language level, warnings,
# Qt's stricter string and connect rules, and the optional sanitizers.
add_library(veq_options INTERFACE)
target_compile_features(veq_options INTERFACE cxx_std_20)
target_compile_definitions(veq_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)

if(MSVC)
  target_compile_options(veq_options INTERFACE /W4 /utf-8 /permissive-)
  if(VEQ_WERROR)
    target_compile_options(veq_options INTERFACE /WX)
  endif()
else()
  target_compile_options(veq_options INTERFACE -Wall -Wextra -Wpedantic)
  if(VEQ_WERROR)
    target_compile_options(veq_options INTERFACE -Werror)
  endif()
endif()

if(VEQ_SANITIZE)
  if(MSVC)
    target_compile_options(veq_options INTERFACE /fsanitize=address)
  else()
    target_compile_options(veq_options INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(veq_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()
