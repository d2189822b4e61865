# Exports every demo image with `tavrik export` and validates each file against the format's schema, with
# Debian's python3-jsonschema: -DTAVRIK=... -DDEMO=... -DPYTHON=... -DSCHEMA=... -DSCRATCH=...
file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${DEMO} ${SCRATCH} OUTPUT_QUIET RESULT_VARIABLE status)
if(status)
    message(FATAL_ERROR "the demo images could not be written")
endif()
file(GLOB images ${SCRATCH}/*.gb)
# Each export is valid; and so that the schema keeps the values the game cannot use out, the same export with one of
# them is not: a base stat past a byte, an accuracy past 100 %, a learnset level of 0, an evolution by item without
# its item, a growth rate the game does not name.
set(validate "import copy, json, sys, jsonschema
validator = jsonschema.Draft202012Validator(json.load(open(sys.argv[1])))
document = json.load(open(sys.argv[2]))
validator.validate(document)
def spoilt(path, value):
    broken = copy.deepcopy(document)
    *parents, key = path
    target = broken
    for step in parents:
        target = target[step]
    target[key] = value
    return broken
for path, value in [(['pokemon', 0, 'speed'], 256), (['moves', 0, 'accuracy'], 101),
                    (['pokemon', 0, 'learnset', 0, 'level'], 0), (['pokemon', 0, 'evolutions'], [{'by': 'item', 'level': 1, 'into': 3}]),
                    (['pokemon', 0, 'growth'], 'VERY_FAST'), (['moves', 0, 'pp'], 64)]:
    if validator.is_valid(spoilt(path, value)):
        sys.exit('the schema takes ' + repr(value) + ' at ' + repr(path))")
foreach(image IN LISTS images)
    execute_process(COMMAND ${TAVRIK} export ${image} -o ${image}.json RESULT_VARIABLE status ERROR_VARIABLE error)
    if(status)
        message(FATAL_ERROR "export of ${image} failed: ${error}")
    endif()
    execute_process(COMMAND ${PYTHON} -c "${validate}" ${SCHEMA} ${image}.json RESULT_VARIABLE status ERROR_VARIABLE error)
    if(status)
        message(FATAL_ERROR "${image}.json does not follow the schema: ${error}")
    endif()
    message(STATUS "${image}.json follows the schema")
endforeach()
