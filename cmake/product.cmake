# What the program and its packages say about themselves. The version is
# the project's (the top CMakeLists.txt); the version resources, the About
# window, the manifest and the installers all take theirs from here.
set(VESHA_PRODUCT_NAME "易卦灵签")
set(VESHA_DESCRIPTION "易卦灵签：抽签、测字、掷骰的娱乐程序")
set(VESHA_CONTROL_DESCRIPTION "易卦灵签的骰子控件")
# wixl 0.101 crashes on a manufacturer outside ASCII.
set(VESHA_PUBLISHER "vesha")
set(VESHA_COPYRIGHT "版权所有 © 2026 vesha 项目")
set(VESHA_HOME_PAGE "https://vesha.example.org/")
# The four-part form that manifests and installers want.
set(VESHA_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/../common/product.h.in ${VESHA_GENERATED_DIR}/common/common/product.h @ONLY)
