# The keypad's ids and udev rule for the build, read from common/KeypadProtocol.h so
# that the installed rule, the programs and the tests agree. Included by the top-level
# CMakeLists.txt before the components. Sets:
#   PADCONFIG_KEYPAD_VENDOR_ID   cache: another vendor id for the whole build (hex, e.g.
#                                0x1234); empty keeps the header's
#   PADCONFIG_UDEV_RULE_FILE     the rule file's name
#   PADCONFIG_UDEV_RULE          the rule line for the vendor id the build uses
#   PADCONFIG_UDEV_RULE_DEFAULT  the rule line for the header's vendor id (the README's)
#   PADCONFIG_KEYPAD_VENDOR_HEX  the vendor id the build uses, as 0x3D7A
#   PADCONFIG_KEYPAD_PRODUCT_HEX the product id, as 0x4002
#   PADCONFIG_USB_MODALIAS       the keypad's USB modalias pattern for the vendor id the
#                                build uses (usb:vVVVVpPPPPd*, upper-case hex), as
#                                AppStream metadata names the hardware a program supports

set(keypad_protocol_header ${CMAKE_CURRENT_LIST_DIR}/KeypadProtocol.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${keypad_protocol_header})
file(READ ${keypad_protocol_header} keypad_protocol_text)

function(keypad_protocol_fact what pattern out)
    if(NOT keypad_protocol_text MATCHES "${pattern}")
        message(FATAL_ERROR "common/KeypadProtocol.h: cannot read the ${what}")
    endif()
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

keypad_protocol_fact("default vendor id" "#define PADCONFIG_KEYPAD_VENDOR_ID (0x[0-9A-Fa-f]+)"
                     keypad_default_vendor)
keypad_protocol_fact("product id" "KEYPAD_PRODUCT_ID = (0x[0-9A-Fa-f]+);" keypad_product)
keypad_protocol_fact("udev rule file" "UdevRuleFile = \"([^\"]+)\";" PADCONFIG_UDEV_RULE_FILE)
keypad_protocol_fact("udev rule" "UdevRuleTemplate =[ \n]*R\"\\(([^\n]*)\\)\";"
                     keypad_udev_rule_template)

set(PADCONFIG_KEYPAD_VENDOR_ID "" CACHE STRING
    "USB vendor id of the keypad for the whole build (hex, e.g. 0x1234); empty: the one in common/KeypadProtocol.h")
set(keypad_vendor ${keypad_default_vendor})
if(PADCONFIG_KEYPAD_VENDOR_ID)
    if(NOT PADCONFIG_KEYPAD_VENDOR_ID MATCHES "^0[xX][0-9A-Fa-f]?[0-9A-Fa-f]?[0-9A-Fa-f]?[0-9A-Fa-f]$")
        message(FATAL_ERROR "PADCONFIG_KEYPAD_VENDOR_ID=${PADCONFIG_KEYPAD_VENDOR_ID} is not "
                            "a 16-bit hex number such as 0x1234")
    endif()
    set(keypad_vendor ${PADCONFIG_KEYPAD_VENDOR_ID})
    add_compile_definitions(PADCONFIG_KEYPAD_VENDOR_ID=${PADCONFIG_KEYPAD_VENDOR_ID})
endif()

# A 16-bit id as four hex digits in the case given (LOWER or UPPER).
function(keypad_hex4 value case out)
    math(EXPR id "${value}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "0000" id "${id}")
    string(${case} "${id}" id)
    string(REGEX MATCH "....$" id "${id}")
    set(${out} "${id}" PARENT_SCOPE)
endfunction()

# The rule line for a vendor id: udev compares the USB ids as four lower-case hex digits.
function(keypad_udev_rule vendor out)
    keypad_hex4(${vendor} TOLOWER vendor_hex)
    keypad_hex4(${keypad_product} TOLOWER product_hex)
    string(REPLACE "{vendor}" "${vendor_hex}" line "${keypad_udev_rule_template}")
    string(REPLACE "{product}" "${product_hex}" line "${line}")
    set(${out} "${line}" PARENT_SCOPE)
endfunction()

keypad_udev_rule(${keypad_vendor} PADCONFIG_UDEV_RULE)
keypad_udev_rule(${keypad_default_vendor} PADCONFIG_UDEV_RULE_DEFAULT)

# The kernel writes the ids of a USB modalias as four upper-case hex digits.
keypad_hex4(${keypad_vendor} TOUPPER modalias_vendor)
keypad_hex4(${keypad_product} TOUPPER modalias_product)
set(PADCONFIG_USB_MODALIAS "usb:v${modalias_vendor}p${modalias_product}d*")
set(PADCONFIG_KEYPAD_VENDOR_HEX "0x${modalias_vendor}")
set(PADCONFIG_KEYPAD_PRODUCT_HEX "0x${modalias_product}")
