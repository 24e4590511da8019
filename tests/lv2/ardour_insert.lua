-- Run by ardour_insert.sh in ardour7-lua: a new session, a stereo track, the plug-in inserted by URI.
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:start(false)
local session = create_session(os.getenv("QM07_SESSION"), "qm07", 48000)
local track = session:new_audio_track(2, 2, nil, 1, "t", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal,
                                      true):front()
local processor = ARDOUR.LuaAPI.new_plugin(session, "urn:tarvel:qm07-compressor", ARDOUR.PluginType.LV2, "")
assert(not processor:isnil(), "Ardour does not find the plug-in")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "Ardour does not insert the plug-in")
local plugin = processor:to_insert():plugin(0)
local inputs = {}
for i = 0, plugin:parameter_count() - 1 do
  if plugin:parameter_is_control(i) and plugin:parameter_is_input(i) then
    inputs[#inputs + 1] = plugin:parameter_label(i)
  end
end
print("name=" .. plugin:name() .. " inputs=" .. #inputs .. " labels=" .. table.concat(inputs, ","))
ARDOUR.LuaAPI.set_processor_param(processor, 0, -30)
print("thresh=" .. tostring(ARDOUR.LuaAPI.get_processor_param(processor, 0, true)))
close_session()
