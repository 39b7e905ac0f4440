# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening Debian builds its packages with (dpkg-buildflags with
# hardening=+all on amd64): fortified C library calls, stack protection,
# format-string checks, and a read-only relocation table resolved at start.
# Fortification needs optimisation, so a Debug build goes without it; the
# sanitizer builds bring their own checks.
function(kvarzel_enable_hardening)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endfunction()
