# SPDX-License-Identifier: MIT
# What every package says of itself; included last by the platform's rules.
set(CPACK_PACKAGE_NAME tavro)
set(CPACK_PACKAGE_VENDOR tavro)
set(CPACK_PACKAGE_CONTACT "tavro <bbs@tavro.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Reshape Chinese text for chats, forums and signatures")
include(CPack)
